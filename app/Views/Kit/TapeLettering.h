#pragma once
#include <QPainterPath>
#include <QSizeF>
#include <QString>

namespace quillane::TapeLettering {

// A roll name set in the bundled marker face, condensed to 78 % width, as outlines: the tops of the
// capitals touch y = 0 and the baseline lies at y = cap height. Every digit zero gets a slash
// through it (the letter O does not). A character the face lacks is skipped and adds no width; a
// space adds its advance but no outline.
struct Layout {
    QPainterPath glyphs;
    QPainterPath slashes;
    QSizeF size;  // width: the pen's end or the outlines' right edge, whichever is larger; height: cap height
};

Layout layout(const QString& text, double size);

// The four-sided tape patch behind the lettering: slightly uneven ends, not a rectangle.
QPainterPath tapeShape(const QRectF& rect);

}  // namespace quillane::TapeLettering
