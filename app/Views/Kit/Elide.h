#pragma once
#include <QFont>
#include <QString>

namespace quillane {

// The text cut to fit `width` with "…" where `mode` says, measured the way it is drawn (stretched
// fonts included, where QFontMetricsF::elidedText cuts far more than it needs). The whole text
// when it fits or the mode is Qt::ElideNone.
QString elided(const QString& text, const QFont& font, Qt::TextElideMode mode, double width);

}  // namespace quillane
