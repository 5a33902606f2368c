#pragma once
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

// Finds text a user would read cut in a laid-out window: a wrapping text shorter than the height
// it needs at its width, or a one-line text that is elided or clipped. Only what is visible counts.
namespace quillane::testing {

// The objectNames of one-line texts that elide by design (long drive names, paths, folder names).
const QSet<QString>& elidingByDesign();

// One line per cut text: its kind, objectName, the text and how it is cut. Empty when all fits.
QStringList cutTexts(const QWidget& root, const QSet<QString>& mayElide = elidingByDesign());

}  // namespace quillane::testing
