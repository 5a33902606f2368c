#pragma once
#include <QColor>
#include <QFont>
#include <QWidget>

class QPainter;

namespace quillane {

// A small filled capsule holding an optional symbol and one line of text: the copies badge and
// the drive chips.
struct CapsuleTag {
    QString symbol;  // empty: the text alone
    QString text;
    QFont font;
    QColor color;  // of the symbol and the text
    QColor fill;
    double height = 20;
    double paddingX = 8;
    double symbolSide = 0;
    double spacing = 4;  // between the symbol and the text

    QSizeF size() const;
    // Draws the capsule with its top-left corner at origin.
    void paint(QPainter& painter, QPointF origin) const;
};

// A capsule tag as a widget of its own size, centred in whatever room the layout gives.
class CapsuleTagView : public QWidget {
    Q_OBJECT
public:
    QSize sizeHint() const override { return tag().size().toSize(); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    explicit CapsuleTagView(QWidget* parent);
    virtual CapsuleTag tag() const = 0;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillane
