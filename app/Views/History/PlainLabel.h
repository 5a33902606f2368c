#pragma once
#include <QLabel>
#include <QPalette>

namespace quillane {

// A label that shows its text as given (never as markup), in one font and colour.
inline QLabel* plainLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

}  // namespace quillane
