#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QDialog;
class QWidget;

namespace quillane {

// Where a sheet's frame goes: centred over its window, moved in where it would leave the screen's
// available area (as far as it fits), as a dialog is placed when it opens.
QPoint sheetPosition(const QRect& window, const QSize& sheetFrame, const QRect& screenArea);

// Keeps a window's sheets (its open window-modal dialogs: sheets, alerts, the folder chooser)
// centred over it, the way a sheet belongs to its window: when a sheet is shown, when its frame
// changes size (it fits its text after it opened; a window manager frames it), and whenever the
// window moves or changes size (a window manager may place the window only after its first sheet
// opened).
class SheetAnchor : public QObject {
public:
    explicit SheetAnchor(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isSheet(const QWidget& widget) const;
    void centre(QDialog& sheet);
    void centreSheets();

    QWidget& window_;
};

}  // namespace quillane
