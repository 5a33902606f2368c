#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace quillane {

// One line of plain text (never markup) with an optional leading symbol, in one font and colour.
// Too long a text is elided (at the end or in the middle); with wrapping on, it breaks into as
// many lines as it needs instead, or into at most its line limit, the last line ending in "…".
// A capsule behind it makes it a tag or a badge.
class TextLine : public QWidget {
    Q_OBJECT
public:
    explicit TextLine(const QFont& font, const QColor& color = {}, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setColor(const QColor& color);
    void setFont(const QFont& font);
    void setSymbol(const QString& symbol, const QColor& color = {});
    void setElideMode(Qt::TextElideMode mode);
    void setWrapping(bool wrap);
    // With wrapping on: at most `lines` lines (0: as many as the text needs).
    void setMaximumLines(int lines);
    // Each line centred in the width instead of starting at the leading edge (for lines without a symbol).
    void setCentred(bool centred);
    // A capsule of `fill` behind the text, `paddingX` to each side, `height` high.
    void setCapsule(const QColor& fill, double paddingX, double height);
    bool wraps() const { return wrap_; }
    // The text as drawn at the current width: on one line, elided when it does not fit; wrapped,
    // the whole text, or its lines joined by line breaks when the line limit cuts it.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wrap_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double symbolSide() const;
    double textOffset() const;
    double textWidth() const;
    // The lines the text wraps into at `width`, as drawn; `cut` when the line limit ended it early.
    struct Wrapped {
        QStringList lines;
        bool cut = false;
    };
    Wrapped wrapped(double width) const;
    double linesHeight(int count) const;
    void changed();

    QString text_;
    QFont font_;
    QColor color_;
    QString symbol_;
    QColor symbolColor_;
    Qt::TextElideMode elide_ = Qt::ElideRight;
    bool wrap_ = false;
    bool centred_ = false;
    int maxLines_ = 0;
    QColor capsule_;
    double paddingX_ = 0;
    double capsuleHeight_ = 0;
};

}  // namespace quillane
