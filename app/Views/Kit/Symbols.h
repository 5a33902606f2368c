#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

namespace quillane::Symbols {

// The interface's symbols, by the names the views use ("externaldrive.fill", "checkmark.seal.fill" …).
// One table maps each name to a bundled one-colour SVG; they are tinted at paint time and cached by
// name, side, colour, weight and device pixel ratio. To add a symbol: copy the SVG into
// app/Resources/icons/ and add one row to the table in Symbols.cpp; the kit tests render every row.

// Every name in the table, sorted.
QStringList names();
// The bundled file of a name (":/icons/…"), empty for a name the table lacks.
QString resourcePath(const QString& name);

// The side of the square a symbol takes beside text of the given size in logical pixels.
double side(double fontPx);

// The symbol as a square pixmap of `side` logical pixels in one colour. The weight thickens the
// strokes of outline symbols like the weight of a font (filled symbols ignore it). An unknown name
// gives a null pixmap (and a warning).
QPixmap pixmap(const QString& name, double side, const QColor& color, QFont::Weight weight = QFont::Normal,
               qreal devicePixelRatio = 1.0);

// Draws the symbol centred in `rect` (as a square of the rect's smaller side).
void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color,
           QFont::Weight weight = QFont::Normal);

}  // namespace quillane::Symbols
