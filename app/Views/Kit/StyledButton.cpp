#include "Views/Kit/StyledButton.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "Views/Kit/Animations.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"

namespace quillane {

namespace {
QColor either(const QColor& preferred, const QColor& fallback) { return preferred.isValid() ? preferred : fallback; }
bool visible(const QColor& color) { return color.isValid() && color.alpha() > 0; }
constexpr double ringGap = FocusRing::width + 1;
}  // namespace

StyledButton::StyledButton(const ButtonStyle& style, const QString& text, const QString& symbol, QWidget* parent)
    : PaintedButton(parent), style_(style), symbol_(symbol) {
    setText(text);
    connect(this, &QAbstractButton::pressed, this, [this] { pressChanged(true); });
    connect(this, &QAbstractButton::released, this, [this] { pressChanged(false); });
    applyStyle();
}

void StyledButton::setButtonStyle(const ButtonStyle& style) {
    style_ = style;
    applyStyle();
}

void StyledButton::setSymbol(const QString& symbol) {
    symbol_ = symbol;
    updateGeometry();
    update();
}

void StyledButton::setPressScale(qreal scale) {
    pressScale_ = scale;
    update();
}

QSizeF StyledButton::naturalSize(const ButtonStyle& style, const QString& text, bool hasSymbol) {
    if (style.fixedWidth > 0) return {style.fixedWidth, style.height};
    const QFontMetricsF metrics(style.font);
    double width = text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
    if (hasSymbol) {
        width += Symbols::side(Fonts::pixelSize(style.font));
        if (!text.isEmpty()) width += style.symbolSpacing;
    }
    return {std::ceil(width) + 2 * style.paddingX, style.height};
}

QSize StyledButton::sizeHint() const { return naturalSize(style_, text(), !symbol_.isEmpty()).toSize(); }
QSize StyledButton::minimumSizeHint() const { return sizeHint(); }

void StyledButton::applyStyle() {
    setSizePolicy(style_.fullWidth ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (style_.fixedWidth > 0) setFixedSize(sizeHint());
    // The glow lies outside the button, so it is a graphics effect drawn by the parent.
    if (visible(style_.glow) && isEnabled()) {
        auto* glow = qobject_cast<QGraphicsDropShadowEffect*>(graphicsEffect());
        if (glow == nullptr) {
            glow = new QGraphicsDropShadowEffect(this);
            setGraphicsEffect(glow);
        }
        glow->setColor(style_.glow);
        glow->setBlurRadius(style_.glowRadius * 2);
        glow->setOffset(0, style_.glowOffsetY);
    } else if (graphicsEffect() != nullptr) {
        setGraphicsEffect(nullptr);
    }
    updateGeometry();
    update();
}

void StyledButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) applyStyle();
    PaintedButton::changeEvent(event);
}

void StyledButton::pressChanged(bool down) {
    if (style_.pressedScale == 1.0) return;
    Animations::animate(this, "pressScale", down ? style_.pressedScale : 1.0, style_.pressMs, QEasingCurve::OutQuad);
}

QPainterPath StyledButton::outline(const QRectF& bounds) const {
    QPainterPath shape;
    switch (style_.shape) {
    case ButtonStyle::Shape::capsule: shape.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2); break;
    case ButtonStyle::Shape::rounded: shape.addRoundedRect(bounds, style_.radius, style_.radius); break;
    case ButtonStyle::Shape::circle: {
        const double d = std::min(bounds.width(), bounds.height());
        shape.addEllipse(QRectF(bounds.center().x() - d / 2, bounds.center().y() - d / 2, d, d));
        break;
    }
    }
    return shape;
}

QPainterPath StyledButton::focusRingShape() const { return outline(QRectF(rect())); }

void StyledButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect());
    if (pressScale_ != 1.0) {
        painter.translate(bounds.center());
        painter.scale(pressScale_, pressScale_);
        painter.translate(-bounds.center());
    }

    const bool enabled = isEnabled();
    const bool hovered = isHovered();
    const bool down = isDown();
    QColor fill = style_.background;
    if (!enabled) fill = either(style_.backgroundDisabled, style_.background);
    else if (down) fill = either(style_.backgroundPressed, either(style_.backgroundHover, style_.background));
    else if (hovered) fill = either(style_.backgroundHover, style_.background);
    QColor ink = style_.foreground;
    if (!enabled) ink = either(style_.foregroundDisabled, style_.foreground);
    else if (hovered) ink = either(style_.foregroundHover, style_.foreground);

    // With the focus ring on its edge the button draws itself a little smaller, apart from the ring
    // (the ring would vanish on an accent fill).
    const QRectF body = focusRingShown() ? bounds.adjusted(ringGap, ringGap, -ringGap, -ringGap) : bounds;
    const QPainterPath shape = outline(body);
    if (visible(fill)) painter.fillPath(shape, fill);
    if (visible(style_.border)) {
        const double inset = style_.borderWidth / 2;
        QPainterPath inner;
        const QRectF r = body.adjusted(inset, inset, -inset, -inset);
        const double radius = style_.shape == ButtonStyle::Shape::rounded ? std::max(0.0, style_.radius - inset) : r.height() / 2;
        inner.addRoundedRect(r, radius, radius);
        painter.setPen(QPen(style_.border, style_.borderWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(inner);
    }

    // The label: [symbol][spacing][text], centred.
    const QFontMetricsF metrics(style_.font);
    const double symbolSide = symbol_.isEmpty() ? 0 : Symbols::side(Fonts::pixelSize(style_.font));
    const double textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    const double gap = (symbolSide > 0 && textWidth > 0) ? style_.symbolSpacing : 0;
    const double labelWidth = std::min(symbolSide + gap + textWidth, bounds.width() - 2 * style_.paddingX);
    double x = bounds.center().x() - std::max(labelWidth, 0.0) / 2;
    if (symbolSide > 0) {
        Symbols::paint(painter, QRectF(x, bounds.center().y() - symbolSide / 2, symbolSide, symbolSide), symbol_, ink,
                       style_.font.weight());
        x += symbolSide + gap;
    }
    if (textWidth > 0) {
        painter.setFont(style_.font);
        painter.setPen(ink);
        const QRectF textRect(x, bounds.top(), bounds.right() - style_.paddingX - x, bounds.height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(text(), Qt::ElideRight, textRect.width() + 0.5));
    }
}

}  // namespace quillane
