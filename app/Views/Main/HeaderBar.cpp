#include "Views/Main/HeaderBar.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/HeaderPills.h"
#include "Views/Main/HeaderLook.h"
#include "Views/Main/MainStyles.h"
#include "Views/Kit/Tone.h"

namespace quillane {

namespace {
QFont pickerWordFont() { return Fonts::tracked(Fonts::text(10, QFont::DemiBold), 0.9); }
QFont pickerNameFont() { return Fonts::text(13, QFont::DemiBold); }
constexpr double pickerPadding = 14;
constexpr double pickerSpacing = 8;
constexpr double maxCentreWidth = 520;
}  // namespace

ProjectPicker::ProjectPicker(QWidget* parent) : PaintedButton(parent) {
    setObjectName(QStringLiteral("projectPicker"));
    setFixedHeight(30);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ProjectPicker::setProject(const QString& text, const QColor& color) {
    text_ = text;
    color_ = color;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize ProjectPicker::sizeHint() const {
    const double word = QFontMetricsF(pickerWordFont()).horizontalAdvance(QStringLiteral("PROJECT"));
    const double name = QFontMetricsF(pickerNameFont()).horizontalAdvance(text_);
    return {static_cast<int>(std::ceil(2 * pickerPadding + word + name + Symbols::side(9) + 2 * pickerSpacing)), 30};
}

QSize ProjectPicker::minimumSizeHint() const {
    const double word = QFontMetricsF(pickerWordFont()).horizontalAdvance(QStringLiteral("PROJECT"));
    return {static_cast<int>(std::ceil(2 * pickerPadding + word + 40 + Symbols::side(9) + 2 * pickerSpacing)), 30};
}

void ProjectPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(Theme::opacity(Qt::white, isDown() ? 0.09 : (isHovered() && isEnabled() ? 0.07 : 0.05)));
    painter.drawRoundedRect(area, area.height() / 2, area.height() / 2);
    const double fade = isEnabled() ? 1.0 : 0.5;
    double x = pickerPadding;
    painter.setFont(pickerWordFont());
    painter.setPen(Theme::opacity(Theme::tertiary(), fade));
    const double word = QFontMetricsF(pickerWordFont()).horizontalAdvance(QStringLiteral("PROJECT"));
    painter.drawText(QRectF(x, 0, word + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("PROJECT"));
    x += word + pickerSpacing;
    const double chevron = Symbols::side(9);
    const double room = width() - x - pickerSpacing - chevron - pickerPadding;
    const QFontMetricsF metrics(pickerNameFont());
    const QString name = metrics.elidedText(text_, Qt::ElideRight, std::max(0.0, room));
    painter.setFont(pickerNameFont());
    painter.setPen(Theme::opacity(color_, fade));
    painter.drawText(QRectF(x, 0, room, height()), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    x += std::min(room, metrics.horizontalAdvance(name)) + pickerSpacing;
    Symbols::paint(painter, QRectF(x, (height() - chevron) / 2, chevron, chevron), QStringLiteral("chevron.down"),
                   Theme::opacity(Theme::tertiary(), fade), QFont::Bold);
}

HeaderBar::HeaderBar(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("headerBar"));
    setFixedHeight(52);
    auto* row = new QHBoxLayout(this);
    // Linux windows have their own title bar: the normal margin on the left is enough.
    row->setContentsMargins(14, 0, 14, 0);
    row->setSpacing(10);
    row->addWidget(new BrandLogo(24, this));
    row->addWidget(MainStyles::label(QString::fromUtf8(Product::name),
                                     Fonts::expanded(Fonts::text(15, QFont::ExtraBold)), Theme::text(), this));
    row->addStretch(1);
    demoButton_ = new StyledButton(MainStyles::headerCapsule(), QStringLiteral("Demo"),
                                   QStringLiteral("graduationcap"), this);
    demoButton_->setObjectName(QStringLiteral("headerDemoButton"));
    language_ = new LanguageToggle(model, this);
    update_ = new UpdatePill(model, this);
    search_ = new StyledButton(ButtonStyles::icon(), {}, QStringLiteral("magnifyingglass"), this);
    search_->setObjectName(QStringLiteral("clipSearchButton"));
    overview_ = new StyledButton(ButtonStyles::icon(), {}, QStringLiteral("clock.arrow.circlepath"), this);
    overview_->setObjectName(QStringLiteral("projectOverviewButton"));
    settings_ = new StyledButton(ButtonStyles::icon(), {}, QStringLiteral("gearshape"), this);
    settings_->setObjectName(QStringLiteral("settingsButton"));
    for (QWidget* w : std::initializer_list<QWidget*>{demoButton_, language_, update_, search_, overview_, settings_})
        row->addWidget(w);

    centre_ = new QWidget(this);
    auto* middle = new QHBoxLayout(centre_);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(8);
    picker_ = new ProjectPicker(centre_);
    shootDay_ = new ShootDayPill(model, centre_);
    demoBadge_ = new DemoBadge(model, centre_);
    middle->addWidget(picker_, 1);
    middle->addWidget(shootDay_);
    middle->addWidget(demoBadge_);

    connect(demoButton_, &QAbstractButton::clicked, this, [this] { model_.startDemo(); });
    connect(search_, &QAbstractButton::clicked, this, &HeaderBar::clipSearchRequested);
    connect(overview_, &QAbstractButton::clicked, this, &HeaderBar::historyRequested);
    connect(settings_, &QAbstractButton::clicked, this, &HeaderBar::settingsRequested);
    connect(picker_, &QAbstractButton::clicked, this, [this] { model_.setShowProjectSheet(true); });
    refresh(reads());
}

ModelFields HeaderBar::reads() {
    return {ModelField::projectName,     ModelField::transferState, ModelField::demoState,
            ModelField::settings,        ModelField::availableUpdate, ModelField::showUpdate,
            ModelField::shootDayOverride, ModelField::history,     ModelField::pausedJob};
}

void HeaderBar::setStagedForScreenshot(bool staged) {
    if (staged == staged_) return;
    staged_ = staged;
    refresh(reads());
}

void HeaderBar::refresh(ModelFields fields) {
    if (!fields.intersects(reads())) return;
    const HeaderLook state = headerLook({model_.projectName(), model_.transferState() == TransferState::running,
                                           model_.demoState(), staged_,
                                           model_.settings().folderTemplate.uses("DAY"), model_.pausedTransfer().has_value()});
    picker_->setProject(state.pickerText, toneColor(state.pickerTone));
    picker_->setEnabled(state.pickerEnabled);
    demoButton_->setVisible(state.demoButton);
    demoButton_->setEnabled(state.demoButtonEnabled);
    demoButton_->setToolTip(model_.pausedTransfer() ? demoWaitsForPausedTransfer()
                                               : lq("Oefenen met fictieve camerakaarten en SSD's",
                                                    "Practice with fictional cards and SSDs"));
    demoBadge_->setVisible(state.demoBadge);
    update_->setVisible(state.updatePill && model_.availableUpdate().has_value());
    shootDay_->setVisible(state.shootDayPill);
    language_->refresh();
    shootDay_->refresh();
    demoBadge_->refresh();
    if (state.updatePill) update_->refresh();
    search_->setToolTip(lq("Zoek een clip (", "Find a clip (") + MainStyles::shortcutText(QStringLiteral("Ctrl+F")) +
                        QStringLiteral(")"));
    overview_->setToolTip(lq("Projectoverzicht: welke kaart staat op welke schijf",
                               "Project overview: which card is on which drive"));
    settings_->setToolTip(lq("Instellingen", "Settings"));
    placeCentre();
}

void HeaderBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeCentre();
}

void HeaderBar::placeCentre() {
    centre_->adjustSize();
    const int width = std::min<int>(centre_->sizeHint().width(), static_cast<int>(maxCentreWidth));
    centre_->setGeometry((this->width() - width) / 2, (height() - 30) / 2, width, 30);
    centre_->raise();
}

}  // namespace quillane
