#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quillane {

// Where a sheet's frame goes: centred over its window, moved in where it would leave the screen's
// available area (as far as it fits), as a dialog is placed when it opens.
QPoint sheetPosition(const QRect& window, const QSize& sheetFrame, const QRect& screenArea);

// Keeps a window's sheets (its open window-modal dialogs) centred over it whenever the window moves or
// changes size, the way a sheet belongs to its window. A dialog is centred over its window when it
// opens, but a window manager may place the window only afterwards: the project sheet opens with the
// main window and was left where the window was before the window manager put it elsewhere.
class SheetAnchor : public QObject {
public:
    explicit SheetAnchor(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreSheets();

    QWidget& window_;
};

}  // namespace quillane
