#include "Views/Main/HeaderLook.h"

#include "Product/Product.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

HeaderLook headerLook(const HeaderFacts& facts) {
    HeaderLook state;
    const bool noProject = facts.projectName.empty();
    state.pickerText = noProject ? lq("Kies project", "Choose project") : QString::fromStdString(facts.projectName);
    state.pickerTone = noProject ? Tone::secondary : Tone::text;
    state.pickerEnabled = !facts.running;
    state.demoButton = facts.demo == DemoState::off;
    state.demoButtonEnabled = !facts.running && !facts.paused;
    state.demoBadge = facts.demo != DemoState::off && !facts.stagedForScreenshot;
    state.updatePill = !facts.stagedForScreenshot;
    state.shootDayPill = facts.templateUsesDay;
    return state;
}

QString demoWaitsForPausedTransfer() {
    return lq("Rond eerst de gepauzeerde transfer af of stop hem", "Finish or stop the paused transfer first");
}

ShootDayPillLook shootDayPillLook(int shootDay, bool running) {
    return {QStringLiteral("%1").arg(shootDay, 2, 10, QLatin1Char('0')), shootDay >= 2, !running};
}

std::vector<LanguageSegment> languageSegments(AppLanguage current) {
    std::vector<LanguageSegment> segments;
    for (AppLanguage language : AppLanguages::allCases)
        segments.push_back({language, QString::fromStdString(AppLanguages::label(language)), language == current});
    return segments;
}

DemoBadgeLook demoBadgeLook(DemoState demo, bool running) {
    const bool changing = demo == DemoState::starting || demo == DemoState::stopping;
    return {changing, !running};
}

QString updateOfferText(const std::string& version) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(Product::name), QString::fromStdString(version)) +
           lq(" is er", " is available");
}

UpdateDetailsText updateDetailsText(const std::string& version, const std::optional<std::string>& notes,
                                    bool running) {
    const QString running_ = QString::fromUtf8(Product::version);
    UpdateDetailsText details;
    details.title = updateOfferText(version);
    details.using_ = lq("Je gebruikt nu ", "You're using ") + running_ + QStringLiteral(".");
    if (notes) details.notes = QString::fromStdString(*notes);
    details.hint = lq("Installeer hem na het downloaden zoals je deze versie hebt geïnstalleerd. Je instellingen en "
                        "geschiedenis blijven gewoon staan.",
                        "After downloading, install it the way you installed this version. Your settings and "
                        "history stay as they are.");
    if (running)
        details.warning = lq("Wacht tot de transfer klaar is voordat je Quillane vervangt.",
                               "Wait until the transfer has finished before replacing Quillane.");
    return details;
}

}  // namespace quillane
