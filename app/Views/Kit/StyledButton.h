#pragma once
#include <QString>

#include "Views/Kit/ButtonStyle.h"
#include "Views/Kit/PaintedButton.h"

namespace quillane {

// A painted button with a ButtonStyle: an optional leading symbol and a text (an icon button has
// only the symbol). Sizes itself from the style: padding + label wide (or the fixed width, or all the
// width offered), the style's height.
//   auto* go = new StyledButton(ButtonStyles::primary(true), "TRANSFER");
//   auto* pause = new StyledButton(ButtonStyles::secondary(), L("Pauzeren", "Pause"), "pause.fill");
//   auto* search = new StyledButton(ButtonStyles::icon(), {}, "magnifyingglass");
class StyledButton : public PaintedButton {
    Q_OBJECT
    Q_PROPERTY(qreal pressScale READ pressScale WRITE setPressScale)
public:
    StyledButton(const ButtonStyle& style, const QString& text, const QString& symbol = {}, QWidget* parent = nullptr);

    void setButtonStyle(const ButtonStyle& style);
    const ButtonStyle& buttonStyle() const { return style_; }
    void setSymbol(const QString& symbol);
    const QString& symbol() const { return symbol_; }

    qreal pressScale() const { return pressScale_; }
    void setPressScale(qreal scale);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Width and height that a style gives a label (before any full-width stretch).
    static QSizeF naturalSize(const ButtonStyle& style, const QString& text, bool hasSymbol);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    QPainterPath focusRingShape() const override;

private:
    QPainterPath outline(const QRectF& bounds) const;
    void applyStyle();
    void pressChanged(bool down);

    ButtonStyle style_;
    QString symbol_;
    qreal pressScale_ = 1.0;
};

}  // namespace quillane
