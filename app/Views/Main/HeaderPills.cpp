#include "Views/Main/HeaderPills.h"

#include <QHBoxLayout>
#include <QPainter>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/Spinner.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/HeaderLook.h"
#include "Views/Main/MainStyles.h"
#include "Views/Kit/TextLine.h"
#include "Views/Main/UpdateDetails.h"

namespace quillane {

namespace {
StyledButton* chevron(const char* symbol, QWidget* parent) {
    auto* button = new StyledButton(MainStyles::plain(Fonts::text(9, QFont::Bold), Theme::tertiary(), 24, 18), {},
                                    QString::fromLatin1(symbol), parent);
    return button;
}
}  // namespace

CapsulePill::CapsulePill(AppModel& model, const QColor& fill, const QColor& border, QWidget* parent)
    : QWidget(parent), model_(model), fill_(fill), border_(border) {}

void CapsulePill::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(border_, 1));
    painter.setBrush(fill_);
    painter.drawRoundedRect(area, area.height() / 2, area.height() / 2);
}

ShootDayPill::ShootDayPill(AppModel& model, QWidget* parent)
    : CapsulePill(model, Theme::opacity(Qt::white, 0.05), Theme::stroke(), parent) {
    setObjectName(QStringLiteral("shootDayPill"));
    setFixedHeight(30);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(2);
    minus_ = chevron("chevron.left", this);
    minus_->setObjectName(QStringLiteral("shootDayMinus"));
    plus_ = chevron("chevron.right", this);
    plus_->setObjectName(QStringLiteral("shootDayPlus"));
    word_ = new TextLine(Fonts::tracked(Fonts::text(10, QFont::DemiBold), 0.9), Theme::tertiary(), this);
    value_ = new TextLine(Fonts::text(13, QFont::DemiBold), Theme::text(), this);
    value_->setObjectName(QStringLiteral("shootDayValue"));
    row->addWidget(minus_);
    row->addWidget(word_);
    row->addSpacing(3);
    row->addWidget(value_);
    row->addWidget(plus_);
    connect(minus_, &QAbstractButton::clicked, this, [this] { model_.stepShootDay(-1); });
    connect(plus_, &QAbstractButton::clicked, this, [this] { model_.stepShootDay(1); });
    refresh();
}

void ShootDayPill::refresh() {
    const ShootDayPillLook look = shootDayPillLook(model_.shootDay(), model_.transferState() == TransferState::running);
    word_->setText(lq("DAG", "DAY"));
    value_->setText(look.value);
    minus_->setEnabled(look.minusEnabled);
    setEnabled(look.enabled);
    setToolTip(lq("Draaidag voor {DAY} in je mappenstructuur", "Shoot day for {DAY} in your folder structure"));
}

LanguageToggle::LanguageToggle(AppModel& model, QWidget* parent)
    : CapsulePill(model, Theme::opacity(Qt::white, 0.05), Theme::stroke(), parent) {
    setObjectName(QStringLiteral("languageToggle"));
    setFixedHeight(28);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(2);
    for (AppLanguage language : AppLanguages::allCases) {
        auto* segment = new StyledButton(ButtonStyles::secondary(), QString::fromStdString(AppLanguages::label(language)),
                                         {}, this);
        segment->setCheckable(true);
        segment->setObjectName(QStringLiteral("language-") + QString::fromStdString(AppLanguages::id(language)));
        connect(segment, &QAbstractButton::clicked, this, [this, language] {
            model_.changeSettings([language](AppSettings& settings) { settings.language = language; });
        });
        row->addWidget(segment);
        segments_.push_back(segment);
    }
    refresh();
}

void LanguageToggle::refresh() {
    const auto segments = languageSegments(model_.settings().language);
    for (std::size_t i = 0; i < segments.size() && i < segments_.size(); ++i) {
        ButtonStyle style;
        style.shape = ButtonStyle::Shape::capsule;
        style.background = segments[i].current ? Theme::accent() : QColor(Qt::transparent);
        style.backgroundDisabled = style.background;
        style.foreground = segments[i].current ? Theme::onAccent() : Theme::secondary();
        style.foregroundDisabled = style.foreground;
        style.font = Fonts::tracked(Fonts::text(10.5, QFont::Bold), 0.6);
        style.height = 22;
        style.fixedWidth = 30;
        segments_[i]->setButtonStyle(style);
        segments_[i]->setChecked(segments[i].current);
    }
    setToolTip(lq("Taal van de app", "App language"));
}

DemoBadge::DemoBadge(AppModel& model, QWidget* parent)
    : CapsulePill(model, Theme::opacity(Theme::warning(), 0.12), Theme::opacity(Theme::warning(), 0.4), parent) {
    setObjectName(QStringLiteral("demoBadge"));
    setFixedHeight(30);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 0, 12, 0);
    row->setSpacing(8);
    title_ = new TextLine(Fonts::tracked(Fonts::text(10.5, QFont::Bold), 0.8), Theme::warning(), this);
    title_->setSymbol(QStringLiteral("graduationcap.fill"));
    QFont underlined = Fonts::text(11, QFont::DemiBold);
    underlined.setUnderline(true);
    stop_ = new StyledButton(MainStyles::plain(underlined, Theme::warning(), 20), {}, {}, this);
    stop_->setObjectName(QStringLiteral("demoStop"));
    spinner_ = new Spinner(12, Theme::warning(), this);
    row->addWidget(title_);
    row->addWidget(stop_);
    row->addWidget(spinner_);
    connect(stop_, &QAbstractButton::clicked, this, [this] { model_.stopDemo(); });
    refresh();
}

void DemoBadge::refresh() {
    const DemoBadgeLook look = demoBadgeLook(model_.demoState(), model_.transferState() == TransferState::running);
    title_->setText(lq("DEMO-MODUS", "DEMO MODE"));
    stop_->setText(lq("Stoppen", "Stop"));
    stop_->setVisible(!look.spinner);
    stop_->setEnabled(look.stopEnabled);
    spinner_->setVisible(look.spinner);
    setToolTip(lq("Fictieve kaarten en SSD's om mee te oefenen. Stoppen verwijdert ze weer.",
                    "Fictional cards and SSDs to practice with. Stopping removes them again."));
}

UpdatePill::UpdatePill(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("updatePill"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    ButtonStyle style = MainStyles::plain(Fonts::text(16), Theme::accent(), 28, 30);
    style.shape = ButtonStyle::Shape::circle;
    style.background = style.backgroundDisabled = Theme::opacity(Theme::accent(), 0.12);
    button_ = new StyledButton(style, {}, QStringLiteral("arrow.down.circle.fill"), this);
    row->addWidget(button_);
    connect(button_, &QAbstractButton::clicked, this, [this] { model_.setShowUpdate(true); });
    refresh();
}

void UpdatePill::refresh() {
    const auto& update = model_.availableUpdate();
    setVisible(update.has_value());
    if (!update) {
        if (popover_) popover_->close();
        return;
    }
    button_->setToolTip(updateOfferText(update->version));
    const bool open = model_.showUpdate();
    if (open && !popover_) {
        popover_ = new UpdatePopover(model_, *update, this);
        popover_->showBelow(button_);
    } else if (!open && popover_) {
        popover_->close();
    } else if (popover_) {
        popover_->refresh();
    }
}

}  // namespace quillane
