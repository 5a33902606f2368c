#pragma once
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

namespace quillane {

// The text cut to fit `width` with "…" where `mode` says, measured the way it is drawn (stretched
// fonts included, where QFontMetricsF::elidedText cuts far more than it needs). The whole text
// when it fits or the mode is Qt::ElideNone.
QString elided(const QString& text, const QFont& font, Qt::TextElideMode mode, double width);

// The levels of a path shown in one row, each followed by a separator `separator` wide, cut so that
// together they fit `width`. Only when they don't: the widest level gives way first, a character at
// a time, keeping its beginning ("Zomerfilm N…"), down to its first three characters; so the row uses
// all the room it has. When even that is too wide, the first levels fold into one "…" (the others
// folded come back empty); the last level never folds.
QStringList elidedLevels(const QStringList& levels, double separator, const QFontMetricsF& metrics, double width);

}  // namespace quillane
