#pragma once
#include <QFont>
#include <QString>

#include "Views/Kit/ButtonStyle.h"

class QWidget;

namespace quillane::MainStyles {

// A button without chrome: only its symbol and text in one colour (tertiary when disabled).
ButtonStyle plain(const QFont& font, const QColor& color, double height, double fixedWidth = 0);
// The header's capsule buttons (the demo button): white at 5 % with the stroke around it.
ButtonStyle headerCapsule();
// One of the two source choices: accent-tinted when selected.
ButtonStyle sourceChoice(bool selected);

// A plain-text label (never markup) in a font and colour.
QWidget* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
// The keyboard shortcut as this desktop writes it: "Ctrl+F".
QString shortcutText(const QString& portable);

}  // namespace quillane::MainStyles
