#include "Views/Drives/RecognitionChip.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

#include "Model/AppModel.h"
#include "Support/Lang.h"
#include "Views/Drives/DriveCardLook.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/KeyedRows.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/Spinner.h"
#include "Views/Kit/SymbolView.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
constexpr double chipHeight = 18;
constexpr double chipPadding = 7;
constexpr double chipSpacing = 4;
constexpr double spinnerSide = 10;

QFont chipFont() { return Fonts::text(10.5, QFont::Medium); }
double chipSymbolSide() { return Symbols::side(9.5); }

// One reason of the details: a small dot, lifted 2 above the middle of the first line, and the text,
// wrapping as far as it needs.
class ReasonRow : public QWidget {
public:
    ReasonRow() {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(10, 0, 0, 0);  // the 4 px dot and 6 px of space
        text_ = wrappingLabel({}, Fonts::text(11.5), Theme::secondary());
        text_->setObjectName(QStringLiteral("reason"));
        row->addWidget(text_);
    }
    void setText(const QString& text) { text_->setText(text); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::tertiary());
        const double middle = QFontMetricsF(text_->font()).height() / 2;
        painter.drawEllipse(QRectF(0, middle - 2 - 2, 4, 4));
    }

private:
    QLabel* text_;
};
}  // namespace

RecognitionDetails::RecognitionDetails(AppModel& model, const DriveState& drive, QWidget* parent)
    : QFrame(parent, Qt::Popup), model_(model) {
    setObjectName(QStringLiteral("recognitionDetails"));
    HeightForWidth::keep(*this, 300);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(new SymbolView(QStringLiteral("sparkles"), 13, Theme::accent()));
    auto* title = new TextLabel(lq("Slimme herkenning", "Smart recognition"),
                                Fonts::text(13, QFont::DemiBold), Theme::text());
    title->setObjectName(QStringLiteral("detailsTitle"));
    header->addWidget(title, 1);
    stack->addLayout(header);

    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setTextFormat(Qt::RichText);
    verdict_->setWordWrap(true);
    verdict_->setFont(Fonts::text(12));
    stack->addWidget(verdict_);

    auto* reasons = new QVBoxLayout;
    reasons->setSpacing(6);
    stack->addLayout(reasons);
    reasonRows_.emplace(reasons);
    stack->addWidget(new HDivider);
    auto* hint = wrappingLabel(recognitionHint(), Fonts::text(11), Theme::tertiary());
    hint->setObjectName(QStringLiteral("hint"));
    stack->addWidget(hint);
    setDrive(drive);
}

void RecognitionDetails::setDrive(const DriveState& drive) {
    const RecognitionVerdict verdict = recognitionVerdict(drive, model_.role(drive));
    verdict_->setText(verdict.lead.toHtmlEscaped() + QStringLiteral("<b>") + verdict.role.toHtmlEscaped() +
                      QStringLiteral("</b>") + verdict.tail.toHtmlEscaped());
    // Rows keyed by their text; the layout is rebuilt in place when the probe brings new reasons.
    std::vector<QString> reasons;
    for (const std::string& reason : drive.classification.reasons) reasons.push_back(QString::fromStdString(reason));
    reasonRows_->sync(
        reasons, [](const QString& text) { return text; }, [](const QString&) -> QWidget* { return new ReasonRow; },
        [](QWidget* row, const QString& text) { static_cast<ReasonRow*>(row)->setText(text); });
}

void RecognitionDetails::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::cardRaised());
    painter.setPen(Theme::opacity(Qt::white, 0.14));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void RecognitionDetails::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    emit closed();
}

RecognitionChip::RecognitionChip(AppModel& model, const DriveState& drive, QWidget* parent)
    : PaintedButton(parent), model_(model), drive_(drive), spinner_(new Spinner(spinnerSide, {}, this)) {
    setObjectName(QStringLiteral("recognitionChip"));
    spinner_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &QAbstractButton::clicked, this, &RecognitionChip::toggleDetails);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setDrive(drive);
}

void RecognitionChip::setDrive(const DriveState& drive) {
    drive_ = drive;
    const ChipLook look = chipLook(drive_);
    setText(look.text);
    setToolTip(look.toolTip);
    spinner_->setColor(look.tint);
    spinner_->setVisible(look.analyzing);
    if (details_ != nullptr) details_->setDrive(drive_);
    updateGeometry();
    update();
}

QSize RecognitionChip::sizeHint() const {
    const ChipLook look = chipLook(drive_);
    const double lead = look.analyzing ? spinnerSide : chipSymbolSide();
    const double width = 2 * chipPadding + lead + chipSpacing + QFontMetricsF(chipFont()).horizontalAdvance(look.text);
    return {static_cast<int>(std::ceil(width)), static_cast<int>(chipHeight)};
}

void RecognitionChip::resizeEvent(QResizeEvent* event) {
    spinner_->move(static_cast<int>(chipPadding), static_cast<int>((height() - spinnerSide) / 2));
    PaintedButton::resizeEvent(event);
}

void RecognitionChip::paintEvent(QPaintEvent*) {
    const ChipLook look = chipLook(drive_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::opacity(look.tint, 0.12));
    painter.drawRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);
    double x = chipPadding;
    if (look.analyzing) {
        x += spinnerSide;
    } else {
        const double side = chipSymbolSide();
        Symbols::paint(painter, QRectF(x, (bounds.height() - side) / 2, side, side), look.symbol, look.tint,
                       QFont::DemiBold);
        x += side;
    }
    x += chipSpacing;
    painter.setFont(chipFont());
    painter.setPen(look.tint);
    painter.drawText(QRectF(x, 0, bounds.width() - x, bounds.height()), Qt::AlignLeft | Qt::AlignVCenter, look.text);
}

void RecognitionChip::toggleDetails() {
    if (detailsShown()) {
        details_->hide();
        return;
    }
    showDetails();
}

void RecognitionChip::showDetails() {
    if (details_ == nullptr) {
        details_ = new RecognitionDetails(model_, drive_, this);
        connect(details_, &RecognitionDetails::closed, this, [this] { emit detailsShownChanged(false); });
    } else {
        details_->setDrive(drive_);
    }
    HeightForWidth::fit(*details_);
    // Below the chip, centred on it, kept on the screen.
    QPoint at = mapToGlobal(QPoint(width() / 2 - details_->width() / 2, height() + 4));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - details_->width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - details_->height())));
    }
    details_->move(at);
    details_->show();
    emit detailsShownChanged(true);
}

}  // namespace quillane
