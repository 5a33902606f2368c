#include "Views/StructureEditor/StructureSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Picker.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Toggle.h"
#include "Views/StructureEditor/ChoiceCard.h"
#include "Views/StructureEditor/FolderTreeEditor.h"
#include "Views/StructureEditor/ObservableDraft.h"
#include "Views/StructureEditor/StructureChoices.h"
#include "Views/StructureEditor/TreeRowParts.h"

namespace quillane {

namespace {

QWidget* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent, bool wrap = false) {
    if (wrap) return wrappingLabel(text, font, color, Qt::AlignLeft, parent);
    return new TextLabel(text, font, color, parent);
}

// A rounded box painted behind its content: fill and inner border.
class Box : public QWidget {
public:
    Box(QColor fill, QColor border, QWidget* parent) : QWidget(parent), fill_(fill), border_(border) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(fill_);
        painter.setPen(QPen(border_, 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    }

private:
    QColor fill_, border_;
};

constexpr int pageMargin = 32;
constexpr int pageMaximumWidth = 900;
constexpr int cardSpacing = 10;

ButtonStyle disclosureStyle() {
    ButtonStyle style = ButtonStyles::text(Theme::secondary(), Fonts::text(13, QFont::Medium), 26);
    style.foregroundHover = Theme::text();
    return style;
}

}  // namespace

StructureSettings::StructureSettings(StructureSettingsBinding binding, QWidget* parent)
    : QWidget(parent), binding_(std::move(binding)), draft_(new ObservableDraft(this)) {
    setObjectName(QStringLiteral("structureSettings"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Laid out for the window's narrowest width; should a narrower content still not fit, it
    // scrolls sideways rather than being cut.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    auto* page = new QWidget(scroll);
    auto* centred = new QHBoxLayout(page);
    centred->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget(page);
    content->setMaximumWidth(pageMaximumWidth);
    centred->addStretch(0);
    centred->addWidget(content, 1);
    centred->addStretch(0);
    scroll->setWidget(page);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(pageMargin, 40, pageMargin, 32);
    column->setSpacing(24);
    column->addWidget(makeHeader());

    auto* cards = new QWidget(content);
    cardRow_ = new QHBoxLayout(cards);
    cardRow_->setContentsMargins(0, 0, 0, 0);
    cardRow_->setSpacing(cardSpacing);
    cards_ = KeyedRows<ChoiceCard>(cardRow_);
    column->addWidget(cards);

    auto* structure = new QWidget(content);
    auto* section = new QVBoxLayout(structure);
    section->setContentsMargins(0, 0, 0, 0);
    section->setSpacing(10);
    section->addWidget(makeShootDayBox());
    editor_ = new FolderTreeEditor(*draft_, [this] {
        const AppSettings settings = binding_.settings();
        return FolderExamples{binding_.projectName ? binding_.projectName() : std::string(), settings.dateFormat,
                              binding_.shootDay ? binding_.shootDay() : 1};
    }, structure);
    section->addWidget(editor_);
    section->addWidget(label(qtext(L("Klik op een naam om hem te wijzigen. Sleep een map op een andere map om hem erin te "
                                 "zetten. Via \u2022\u2022\u2022 kies je in welke map de kaarten komen.",
                                 "Click a name to rename it. Drag a folder onto another folder to put it inside. Use "
                                 "\u2022\u2022\u2022 to choose which folder the cards go into.")),
                             Fonts::text(12), Theme::tertiary(), structure, true));
    column->addWidget(structure);
    column->addWidget(makeMoreOptions());
    column->addStretch(1);

    // Only the user's edits reach the settings; a replaced draft is never written back.
    connect(draft_, &ObservableDraft::edited, this, [this] {
        const FolderTemplate written = draft_->draft().folderTemplate();
        binding_.changeSettings([&](AppSettings& s) { s.folderTemplate = written; });
        refresh();
    });
    connect(draft_, &ObservableDraft::changed, this, &StructureSettings::refresh);
    reload();
}

StructureSettings::StructureSettings(AppModel& model, QWidget* parent)
    : StructureSettings(
          StructureSettingsBinding{
              [&model] { return model.settings(); },
              [&model](const std::function<void(AppSettings&)>& change) { model.changeSettings(change); },
              [&model] { return model.projectName(); }, [&model] { return std::int64_t{model.shootDay()}; }},
          parent) {
    connect(&model, &AppModel::changed, this, [this](ModelFields fields) {
        if (fields.intersects({ModelField::settings, ModelField::projectName, ModelField::shootDayOverride,
                               ModelField::history}))
            refresh();
    });
}

QWidget* StructureSettings::makeHeader() {
    auto* header = new QWidget(this);
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(label(qtext(L("Mappenstructuur", "Folder structure")),
                            Fonts::expanded(Fonts::text(22, QFont::ExtraBold)), Theme::text(), header));

    auto* intro = new Box(Theme::opacity(Theme::accent(), 0.07), Theme::opacity(Theme::accent(), 0.25), header);
    auto* row = new QHBoxLayout(intro);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(14);
    auto* icon = new SymbolView(QStringLiteral("folder.badge.gearshape"), 22, Theme::accent(), QFont::Normal, intro);
    icon->setFrame(QSize(30, static_cast<int>(Symbols::side(22))));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    const std::string name(Product::name);
    texts->addWidget(label(qtext(L("Richt je projectmap één keer in, dan hoef je achteraf niets meer te ordenen.",
                               "Set up your project folder once and you never have to reorganize anything afterwards.")),
                           Fonts::text(13.5, QFont::DemiBold), Theme::text(), intro, true));
    texts->addWidget(label(qtext(L("Bij de eerste kaart van een project maakt " + name +
                                   " al deze mappen meteen aan op elke SSD en zet de footage direct op de juiste plek. "
                                   "Audio, artwork en exports hebben vanaf dag één hun eigen map.",
                               "With the first card of a project, " + name +
                                   " creates all these folders on every SSD right away and puts the footage in the "
                                   "right place. Audio, artwork and exports get their own folder from day one.")),
                           Fonts::text(12.5), Theme::secondary(), intro, true));
    row->addLayout(texts, 1);
    column->addWidget(intro);
    return header;
}

QWidget* StructureSettings::makeShootDayBox() {
    shootDayBox_ = new Box(Theme::card(), Theme::stroke(), this);
    shootDayBox_->setObjectName(QStringLiteral("shootDayBox"));
    auto* row = new QHBoxLayout(shootDayBox_);
    row->setContentsMargins(14, 14, 14, 14);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(label(qtext(L("Meerdere draaidagen", "Multiple shoot days")), Fonts::text(13, QFont::DemiBold),
                           Theme::text(), shootDayBox_));
    texts->addWidget(label(qtext(L("Elke draaidag een eigen map (DAY_01, DAY_02 \u2026) in de map waar de kaarten komen.",
                               "A folder per shoot day (DAY_01, DAY_02 \u2026) inside the folder the cards go into.")),
                           Fonts::text(11.5), Theme::secondary(), shootDayBox_, true));
    row->addLayout(texts, 1);
    shootDaySwitch_ = new Toggle(shootDayBox_);
    shootDaySwitch_->setObjectName(QStringLiteral("shootDaySwitch"));
    row->addWidget(shootDaySwitch_);
    connect(shootDaySwitch_, &QAbstractButton::clicked, this, [this](bool on) {
        draft_->edit([on](FolderTreeDraft& d) { d.setPerShootDay(on); });
    });
    return shootDayBox_;
}

QWidget* StructureSettings::makeMoreOptions() {
    auto* more = new QWidget(this);
    auto* column = new QVBoxLayout(more);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    moreButton_ = new StyledButton(disclosureStyle(), qtext(L("Meer opties", "More options")),
                                   QStringLiteral("chevron.right"), more);
    moreButton_->setObjectName(QStringLiteral("moreOptions"));
    column->addWidget(moreButton_, 0, Qt::AlignLeft);

    moreContent_ = new QWidget(more);
    auto* pickers = new QVBoxLayout(moreContent_);
    pickers->setContentsMargins(4, 12, 0, 0);
    pickers->setSpacing(14);
    auto picker = [&](const QString& title, const std::vector<PickerItem>& items, const char* name) {
        auto* row = new QHBoxLayout;
        row->setSpacing(10);
        row->addWidget(label(title, Fonts::text(13), Theme::text(), moreContent_));
        auto* box = new Picker(moreContent_);
        box->setObjectName(QString::fromLatin1(name));
        for (const auto& item : items) box->addItem(qtext(item.text), qtext(item.value));
        row->addWidget(box);
        row->addStretch(1);
        pickers->addLayout(row);
        return box;
    };
    letterPicker_ = picker(qtext(L("Camera-letter", "Camera letter")), cameraLetterItems(), "cameraLetterPicker");
    datePicker_ = picker(qtext(L("Datum in mapnamen", "Date in folder names")), dateFormatItems(), "dateFormatPicker");
    connect(letterPicker_, &Picker::activated, this, [this](int index) {
        const std::string letter = letterPicker_->itemData(index).toString().toStdString();
        binding_.changeSettings([&](AppSettings& s) { s.defaultCameraLetter = letter; });
        refresh();
    });
    connect(datePicker_, &Picker::activated, this, [this](int index) {
        const std::string format = datePicker_->itemData(index).toString().toStdString();
        binding_.changeSettings([&](AppSettings& s) { s.dateFormat = format; });
        refresh();
    });
    moreContent_->setVisible(false);
    column->addWidget(moreContent_);
    connect(moreButton_, &QAbstractButton::clicked, this, [this] {
        moreContent_->setVisible(!moreContent_->isVisible());
        moreButton_->setSymbol(moreContent_->isVisible() ? QStringLiteral("chevron.down")
                                                          : QStringLiteral("chevron.right"));
    });
    return more;
}

void StructureSettings::reload() {
    draft_->replace(FolderTreeDraft(binding_.settings().folderTemplate));
    refresh();
}

void StructureSettings::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) reload();
}

void StructureSettings::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeCards();
}

void StructureSettings::placeCards() {
    std::vector<int> narrowest;
    for (const QString& key : cards_.keys())
        if (const ChoiceCard* card = cards_.row(key)) narrowest.push_back(card->minimumSizeHint().width());
    // The page's width inside the margins, with room kept for the vertical scroll bar.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int room = std::min(width() - bar, pageMaximumWidth) - 2 * pageMargin;
    cardRow_->setDirection(choiceCardsStacked(room, narrowest, cardSpacing) ? QBoxLayout::TopToBottom
                                                                             : QBoxLayout::LeftToRight);
}

void StructureSettings::apply(const FolderTemplate& structure) {
    binding_.changeSettings([&](AppSettings& s) { s.folderTemplate = structure; });
    reload();
}

void StructureSettings::refresh() {
    const AppSettings settings = binding_.settings();
    cards_.sync(
        structureChoices(settings.folderTemplate, settings.dateFormat),
        [](const StructureChoice& c) { return QString::fromStdString(c.key); },
        [this](const StructureChoice&) {
            auto* card = new ChoiceCard(this);
            connect(card, &QAbstractButton::clicked, this, [this, card] {
                if (card->choice().applies) apply(*card->choice().applies);
            });
            return card;
        },
        [](ChoiceCard* card, const StructureChoice& c) { card->setChoice(c); });
    placeCards();
    shootDayBox_->setVisible(isCustomStructure(settings.folderTemplate));
    shootDaySwitch_->setChecked(draft_->draft().perShootDay());
    letterPicker_->setCurrentIndex(letterPicker_->findData(qtext(settings.defaultCameraLetter)));
    datePicker_->setCurrentIndex(datePicker_->findData(qtext(settings.dateFormat)));
    editor_->refresh();
}

}  // namespace quillane
