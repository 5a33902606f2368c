#pragma once
#include <QByteArray>
#include <QFont>
#include <QString>

namespace quillane::Fonts {

// Sizes are logical pixels (the interface's "points": 10.5, 11.5, 13 …). Every font is made through
// these helpers, which turn a size into a point size for the screen's logical DPI
// (pt = px × 72 / dpi), so text is the same size on every screen and in snapshots.
//
// The text face is bundled; all ten of its digits have the same advance, so counting numbers
// (percentages, sizes, times) never jitter: no separate "monospaced digits" font is needed.

// Registers the bundled faces once; true when every face loaded. Theme::applyTo calls it.
bool registerBundled();

// The sans-serif text face at a size in logical pixels and a weight (QFont::Light … QFont::Black).
QFont text(double px, QFont::Weight weight = QFont::Normal);
// The monospaced face (paths, checksums).
QFont mono(double px, QFont::Weight weight = QFont::Normal);
// The marker face of the roll tape label.
QFont marker(double px);
// The marker face's file, for glyph outlines (QRawFont).
QByteArray markerFontData();

// Letter tracking in logical pixels added after every character.
QFont tracked(QFont font, double px);
// The wider cut of a face ("expanded width" in the designs).
QFont expanded(QFont font);

// The point size for a size in logical pixels at the given logical DPI.
double pointSize(double px, double logicalDpi);
// The size in logical pixels of a font made by these helpers.
double pixelSize(const QFont& font);
// The logical DPI fonts are made for: the primary screen's, 96 without one.
double logicalDpi();

}  // namespace quillane::Fonts
