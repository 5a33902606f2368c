#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace quillane {

// One symbol as a widget: a square of Symbols::side(fontPx) (or a fixed frame), tinted, optionally
// turned by `rotation` degrees about its centre (a Q_PROPERTY, so a chevron can animate its turn).
class SymbolView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal rotation READ rotation WRITE setRotation)
public:
    SymbolView(const QString& name, double fontPx, const QColor& color, QFont::Weight weight = QFont::Normal,
               QWidget* parent = nullptr);

    void setSymbol(const QString& name);
    const QString& symbol() const { return name_; }
    void setColor(const QColor& color);
    const QColor& color() const { return color_; }
    // A frame larger than the symbol (the symbol stays centred in it).
    void setFrame(QSize frame);
    qreal rotation() const { return rotation_; }
    void setRotation(qreal degrees);
    void setOpacity(double opacity);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    double side_;
    QColor color_;
    QFont::Weight weight_;
    QSize frame_;
    qreal rotation_ = 0;
    double opacity_ = 1;
};

}  // namespace quillane
