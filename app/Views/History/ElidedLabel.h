#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace quillane {

// One line of plain text (never markup) in one font and colour, shortened with an ellipsis when
// the layout gives it less room than the text needs, so a long name never pushes its row apart.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    ElidedLabel(const QFont& font, const QColor& color, QWidget* parent = nullptr,
                Qt::TextElideMode mode = Qt::ElideRight);
    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setColor(const QColor& color);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor color_;
    Qt::TextElideMode mode_;
};

}  // namespace quillane
