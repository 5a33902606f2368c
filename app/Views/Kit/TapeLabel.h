#pragma once
#include <QString>
#include <QWidget>

class QPainter;

#include "Views/Kit/TapeLettering.h"

namespace quillane {

// A roll name written with a marker on a strip of accent tape stuck on at a slight angle.
// `size` is the lettering's font size in logical pixels, `tilt` the turn in degrees (negative:
// counter-clockwise). The label is as large as the turned tape. An empty name draws
// nothing and takes no space; a very long one is cut to its first characters and "…".
class TapeLabel : public QWidget {
    Q_OBJECT
public:
    TapeLabel(const QString& text, double size, double tilt, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }

    // The padding around the lettering for a size: left/right, top, bottom.
    static QMarginsF padding(double size);
    // The longest name drawn whole.
    static constexpr int maximumCharacters = 24;

    // For lists that paint their rows themselves: the lettering of a name (cut as the label cuts
    // it), the space its turned tape takes, and the tape drawn turned about the centre of box.
    static TapeLettering::Layout lettering(const QString& text, double size);
    static QSize boxSize(const TapeLettering::Layout& lettering, double size, double tilt);
    static void paint(QPainter& painter, const QRectF& box, const TapeLettering::Layout& lettering, double size,
                      double tilt);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();

    QString text_;
    double size_;
    double tilt_;
    TapeLettering::Layout lettering_;
};

}  // namespace quillane
