#include "Views/Kit/SheetAnchor.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quillane {

namespace {
// The frame size a sheet was last centred with: only a new size moves it again, so that a window
// manager that places a sheet a little differently is not asked over and over.
constexpr char centredFrame[] = "quillaneCentredFrame";
}  // namespace

QPoint sheetPosition(const QRect& window, const QSize& sheetFrame, const QRect& screenArea) {
    const QPoint centred = window.center() - QPoint(sheetFrame.width() / 2, sheetFrame.height() / 2);
    if (screenArea.isEmpty()) return centred;
    const int x = std::max(screenArea.left(), std::min(centred.x(), screenArea.x() + screenArea.width() - sheetFrame.width()));
    const int y = std::max(screenArea.top(), std::min(centred.y(), screenArea.y() + screenArea.height() - sheetFrame.height()));
    return {x, y};
}

SheetAnchor::SheetAnchor(QWidget& window) : QObject(&window), window_(window) {
    // The sheets come and go with the window's views: the anchor hears them through the application.
    qApp->installEventFilter(this);
}

bool SheetAnchor::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Show) return false;
    if (watched == &window_) {
        if (type != QEvent::Show) centreSheets();
        return false;
    }
    auto* sheet = qobject_cast<QDialog*>(watched);
    if (!sheet || !isSheet(*sheet)) return false;
    if (type == QEvent::Show || sheet->frameGeometry().size() != sheet->property(centredFrame).toSize()) centre(*sheet);
    return false;
}

bool SheetAnchor::isSheet(const QWidget& widget) const {
    return widget.isWindow() && widget.windowModality() == Qt::WindowModal && widget.parentWidget() &&
           widget.parentWidget()->window() == &window_;
}

void SheetAnchor::centre(QDialog& sheet) {
    const QRect area = window_.screen() ? window_.screen()->availableGeometry() : QRect();
    const QSize frame = sheet.frameGeometry().size();
    sheet.setProperty(centredFrame, frame);
    sheet.move(sheetPosition(window_.geometry(), frame, area));
}

void SheetAnchor::centreSheets() {
    for (QDialog* sheet : window_.findChildren<QDialog*>())
        if (sheet->isVisible() && isSheet(*sheet)) centre(*sheet);
}

}  // namespace quillane
