#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;

namespace quillane {

// One line of plain text in a kit font and colour. Text from drives, cards and settings is shown as
// it is (markup is never interpreted) and elides at the end when the line is too narrow; an empty
// text takes no width. Tracking (letter spacing) comes with the font.
class TextLabel : public QWidget {
    Q_OBJECT
public:
    TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setColor(const QColor& color);
    const QColor& color() const { return color_; }
    void setTextFont(const QFont& font);
    const QFont& textFont() const { return font_; }
    void setAlignment(Qt::Alignment alignment);
    // Where a too-long text loses characters (default: at the end).
    void setElideMode(Qt::TextElideMode mode);
    // The text as drawn at the current width (elided when it does not fit).
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::TextElideMode elide_ = Qt::ElideRight;
};

// A label for text that wraps onto several lines: plain text (never markup), word wrap, the kit
// font and colour. For one line that elides, use TextLabel.
QLabel* wrappingLabel(const QString& text, const QFont& font, const QColor& color, Qt::Alignment alignment = Qt::AlignLeft,
                      QWidget* parent = nullptr);

}  // namespace quillane
