#include "Views/Kit/SheetAnchor.h"

#include <algorithm>

#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quillane {

QPoint sheetPosition(const QRect& window, const QSize& sheetFrame, const QRect& screenArea) {
    const QPoint centred = window.center() - QPoint(sheetFrame.width() / 2, sheetFrame.height() / 2);
    if (screenArea.isEmpty()) return centred;
    const int x = std::max(screenArea.left(), std::min(centred.x(), screenArea.x() + screenArea.width() - sheetFrame.width()));
    const int y = std::max(screenArea.top(), std::min(centred.y(), screenArea.y() + screenArea.height() - sheetFrame.height()));
    return {x, y};
}

SheetAnchor::SheetAnchor(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

bool SheetAnchor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) centreSheets();
    return false;
}

void SheetAnchor::centreSheets() {
    const QRect area = window_.screen() ? window_.screen()->availableGeometry() : QRect();
    for (QDialog* sheet : window_.findChildren<QDialog*>()) {
        if (!sheet->isVisible() || !sheet->isWindow() || sheet->windowModality() != Qt::WindowModal) continue;
        sheet->move(sheetPosition(window_.geometry(), sheet->frameGeometry().size(), area));
    }
}

}  // namespace quillane
