#include "Views/Settings/RecognitionSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
// One remembered drive: role symbol, name over role, Forget.
class LearnedRow : public QWidget {
public:
    explicit LearnedRow(AppModel& model) : model_(model) {
        auto* line = new QHBoxLayout(this);
        line->setContentsMargins(0, 8, 0, 8);
        line->setSpacing(8);
        symbol_ = new SymbolView(QString(), 14, Theme::secondary());
        symbol_->setFrame(QSize(20, 20));
        line->addWidget(symbol_);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(1);
        name_ = new TextLabel({}, Fonts::text(13), Theme::text());
        name_->setObjectName(QStringLiteral("learnedName"));
        role_ = new TextLabel({}, Fonts::text(11), Theme::secondary());
        role_->setObjectName(QStringLiteral("learnedRole"));
        texts->addWidget(name_);
        texts->addWidget(role_);
        line->addLayout(texts, 1);
        auto* forget = new StyledButton(ButtonStyles::secondary(), lq("Vergeet", "Forget"));
        forget->setObjectName(QStringLiteral("forget"));
        connect(forget, &QAbstractButton::clicked, this, [this] { model_.forgetLearnedRole(uuid_); });
        line->addWidget(forget);
    }
    void set(const LearnedDriveRow& row) {
        uuid_ = row.uuid;
        symbol_->setSymbol(roleSymbol(row.role));
        name_->setText(QString::fromStdString(row.name));
        role_->setText(QString::fromStdString(DriveRoles::displayName(row.role)));
    }

private:
    AppModel& model_;
    std::string uuid_;
    SymbolView* symbol_;
    TextLabel* name_;
    TextLabel* role_;
};
}  // namespace

std::vector<LearnedDriveRow> learnedDriveRows(const std::map<std::string, LearnedDrive>& learned) {
    std::vector<LearnedDriveRow> rows;
    for (const auto& [uuid, drive] : learned) rows.push_back({uuid, drive.name, drive.role});
    // UTF-8 byte order is code-point order.
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return rows;
}

QString roleSymbol(DriveRole role) {
    switch (role) {
    case DriveRole::source: return QStringLiteral("sdcard");
    case DriveRole::destination: return QStringLiteral("externaldrive");
    case DriveRole::ignored: break;
    }
    return QStringLiteral("eye.slash");
}

RecognitionSettings::RecognitionSettings(AppModel& model, QWidget* parent) : SettingsPage(parent), model_(model) {
    setObjectName(QStringLiteral("recognitionSettings"));
    const QFont callout = Fonts::text(12.5);

    auto* smart = new FormSection(lq("Slimme herkenning", "Smart recognition"));
    const std::string product = Product::name;
    auto* explanation = wrappingLabel(
        lq(product + " bekijkt elke schijf die je aansluit: de mappenstructuur die camera's "
                     "schrijven, het type kaartlezer of SSD, de grootte, het bestandssysteem en of "
                     "er al projectmappen op staan. Corrigeer je een schijf via •••, dan onthoudt " +
               product + " dat voor altijd.",
           product + " looks at every drive you connect: the folder structure cameras write, the "
                     "type of card reader or SSD, the size, the file system and whether project "
                     "folders are already on it. If you correct a drive via •••, " +
               product + " remembers that forever."),
        callout, Theme::secondary());
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setContentsMargins(0, 10, 0, 10);
    smart->addRow(explanation);
    addSection(smart);

    auto* remembered = new FormSection(lq("Onthouden schijven", "Remembered drives"));
    empty_ = wrappingLabel(lq("Nog niets geleerd.", "Nothing learned yet."), Fonts::text(13), Theme::secondary());
    empty_->setObjectName(QStringLiteral("nothingLearned"));
    empty_->setContentsMargins(0, 10, 0, 10);
    list_ = new QWidget;
    auto* listLayout = new QVBoxLayout(list_);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    rows_.emplace(listLayout);
    // One row of the card holds either the empty text or the list.
    remembered->addRow(stackedRow({empty_, list_}));
    addSection(remembered);

    auto* cameras = new FormSection(lq("Herkende camera's", "Recognized cameras"));
    auto* families = wrappingLabel(
        lq("ARRI · RED · Sony (XAVC, Venice/XDCAM) · Canon (Cinema RAW Light, XF-AVC) · Blackmagic (BRAW) · Panasonic "
           "P2 · DJI · GoPro · Insta360 · AVCHD · alle DCIM-camera's · audiorecorders",
           "ARRI · RED · Sony (XAVC, Venice/XDCAM) · Canon (Cinema RAW Light, XF-AVC) · Blackmagic (BRAW) · Panasonic "
           "P2 · DJI · GoPro · Insta360 · AVCHD · all DCIM cameras · audio recorders"),
        callout, Theme::secondary());
    families->setObjectName(QStringLiteral("cameraFamilies"));
    families->setContentsMargins(0, 10, 0, 10);
    cameras->addRow(families);
    addSection(cameras);
    finish();

    connect(&model_, &AppModel::changed, this, [this](ModelFields fields) {
        if (fields.contains(ModelField::settings)) refresh();
    });
    refresh();
}

void RecognitionSettings::refresh() {
    const std::vector<LearnedDriveRow> rows = learnedDriveRows(model_.settings().learnedDrives);
    empty_->setVisible(rows.empty());
    list_->setVisible(!rows.empty());
    rows_->sync(
        rows, [](const LearnedDriveRow& row) { return QString::fromStdString(row.uuid); },
        [this](const LearnedDriveRow&) -> QWidget* { return new LearnedRow(model_); },
        [](QWidget* widget, const LearnedDriveRow& row) { static_cast<LearnedRow*>(widget)->set(row); });
}

}  // namespace quillane
