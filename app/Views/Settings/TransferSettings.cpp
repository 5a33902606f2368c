#include "Views/Settings/TransferSettings.h"

#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/Picker.h"
#include "Views/Kit/Toggle.h"
#include "Views/Settings/DisclosureButton.h"
#include "Views/Settings/PhonePushSection.h"

namespace quillane {

namespace {
template <typename Cases, typename Name>
QStringList entries(const Cases& cases, Name name) {
    QStringList list;
    for (const auto value : cases) list << name(value);
    return list;
}

template <typename Cases, typename Value>
int indexOf(const Cases& cases, Value value) {
    for (int i = 0; i < static_cast<int>(cases.size()); ++i)
        if (cases[i] == value) return i;
    return 0;
}
}  // namespace

TransferSettings::TransferSettings(AppModel& model, std::string pushServer, QWidget* parent)
    : SettingsPage(parent), model_(model) {
    setObjectName(QStringLiteral("transferSettings"));
    // One settings field per control: a toggle writes its field when the user clicks it.
    const auto bind = [this](Toggle* toggle, const char* name, bool AppSettings::*field) {
        toggle->setObjectName(QString::fromLatin1(name));
        connect(toggle, &QAbstractButton::clicked, this,
                [this, field](bool on) { model_.changeSettings([&](AppSettings& s) { s.*field = on; }); });
    };

    auto* safety = new FormSection(lq("Veiligheid", "Safety"),
                                   QString::fromLatin1(Product::name) +
                                       lq(" leest elke kopie terug van de SSD en vergelijkt hem met de kaart. Pas dan "
                                          "krijg je het groene vinkje.",
                                          " reads every copy back from the SSD and compares it with the card. Only then "
                                          "do you get the green checkmark."));
    verify_ = safety->addToggle(lq("Controleer elke kopie na het kopiëren (aanbevolen)",
                                   "Verify every copy after copying (recommended)"));
    bind(verify_, "verifyAfterCopy", &AppSettings::verifyAfterCopy);
    reportAndManifest_ = safety->addToggle(
        lq("Rapport en checksumbestand naast de footage", "Report and checksum file next to the footage"));
    reportAndManifest_->setObjectName(QStringLiteral("reportAndChecksumFile"));
    connect(reportAndManifest_, &QAbstractButton::clicked, this, [this](bool on) {
        model_.changeSettings([on](AppSettings& s) { s.writeReport = on; });
        model_.changeSettings([on](AppSettings& s) { s.writeMHL = on; });
    });
    addSection(safety);

    phone_ = new PhonePushSection(model_, std::move(pushServer));
    addSection(phone_);

    auto* sound = new FormSection(lq("Geluid", "Sound"),
                                  lq("Geluidskaarten krijgen eigen rolls (S001, S002 …). Waar ze komen stel je in bij "
                                     "Mappenstructuur.",
                                     "Sound cards get their own rolls (S001, S002 …). Choose where they go under Folder "
                                     "structure."));
    sound_ = sound->addToggle(lq("Geluidskaart automatisch meenemen na de camerakaart",
                                 "Transfer a sound card automatically after the camera card"));
    bind(sound_, "soundAlongWithCamera", &AppSettings::soundAlongWithCamera);
    addSection(sound);

    auto* done = new FormSection(lq("Als hij klaar is", "When it's done"));
    eject_ = done->addToggle(lq("Kaart automatisch uitwerpen", "Eject card automatically"));
    bind(eject_, "ejectSourceWhenDone", &AppSettings::ejectSourceWhenDone);
    playSound_ = done->addToggle(lq("Geluid afspelen", "Play a sound"));
    bind(playSound_, "playSoundWhenDone", &AppSettings::playSoundWhenDone);
    notifications_ = done->addToggle(lq("Melding op deze computer (klaar, mislukt, gepauzeerd)",
                                        "Notification on this computer (done, failed, paused)"));
    bind(notifications_, "notifications", &AppSettings::notifications);
    addSection(done);

    auto* more = new FormSection;
    auto* disclosure = new DisclosureButton(lq("Geavanceerd", "Advanced"));
    disclosure->setObjectName(QStringLiteral("advanced"));
    auto* inner = new FormSection;
    inner->setFramed(false);
    advanced_ = stackedRow({new HDivider, inner});
    advanced_->setObjectName(QStringLiteral("advancedGroup"));
    copyMode_ = inner->addPicker(lq("Wat kopiëren", "What to copy"),
                                 entries(CopyModes::allCases, [](CopyMode m) { return QString::fromStdString(CopyModes::displayName(m)); }));
    copyMode_->setObjectName(QStringLiteral("copyMode"));
    connect(copyMode_, &Picker::activated, this, [this](int i) {
        model_.changeSettings([i](AppSettings& s) { s.copyMode = CopyModes::allCases[i]; });
    });
    checksum_ = inner->addPicker(QStringLiteral("Checksum"), {QStringLiteral("xxHash64"), QStringLiteral("MD5")});
    checksum_->setObjectName(QStringLiteral("checksum"));
    connect(checksum_, &Picker::activated, this, [this](int i) {
        model_.changeSettings([i](AppSettings& s) { s.checksum = ChecksumAlgorithms::allCases[i]; });
    });
    manifest_ = inner->addPicker(lq("Checksumbestand", "Checksum file"),
                                 entries(MHLFormats::allCases, [](MHLFormat f) { return QString::fromStdString(MHLFormats::displayName(f)); }));
    manifest_->setObjectName(QStringLiteral("mhlFormat"));
    connect(manifest_, &Picker::activated, this, [this](int i) {
        model_.changeSettings([i](AppSettings& s) { s.mhlFormat = MHLFormats::allCases[i]; });
    });
    askFolders_ = inner->addToggle(lq("Vragen voordat er mappen worden aangemaakt", "Ask before creating folders"));
    bind(askFolders_, "askBeforeCreatingFolders", &AppSettings::askBeforeCreatingFolders);
    // The title and its folding group are one row of the card.
    more->addRow(stackedRow({disclosure, advanced_}));
    advanced_->hide();  // folded each time the tab is built
    connect(disclosure, &DisclosureButton::toggled, advanced_, &QWidget::setVisible);
    addSection(more);
    finish();

    connect(&model_, &AppModel::changed, this, [this](ModelFields fields) {
        if (fields.contains(ModelField::settings)) refresh();
    });
    refresh();
}

bool TransferSettings::advancedShown() const { return !advanced_->isHidden(); }

void TransferSettings::refresh() {
    const AppSettings& s = model_.settings();
    verify_->setChecked(s.verifyAfterCopy);
    reportAndManifest_->setChecked(s.writeReport || s.writeMHL);
    sound_->setChecked(s.soundAlongWithCamera);
    eject_->setChecked(s.ejectSourceWhenDone);
    playSound_->setChecked(s.playSoundWhenDone);
    notifications_->setChecked(s.notifications);
    copyMode_->setCurrentIndex(indexOf(CopyModes::allCases, s.copyMode));
    checksum_->setCurrentIndex(indexOf(ChecksumAlgorithms::allCases, s.checksum));
    manifest_->setCurrentIndex(indexOf(MHLFormats::allCases, s.mhlFormat));
    askFolders_->setChecked(s.askBeforeCreatingFolders);
    phone_->refresh();
}

}  // namespace quillane
