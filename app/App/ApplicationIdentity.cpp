#include "App/ApplicationIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "Product/Product.h"
#include "Views/Kit/BrandLogo.h"

namespace quillane::ApplicationIdentity {

namespace {
// The mark drawn at the sizes window managers and task bars ask for, so no image plugin is needed.
QIcon windowIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        BrandLogo::paint(painter, side);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
}  // namespace

void apply() {
    QApplication::setApplicationName(QString::fromUtf8(Product::name));
    QApplication::setApplicationVersion(QString::fromUtf8(Product::version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(Product::desktopId));
    QApplication::setWindowIcon(windowIcon());
}

}  // namespace quillane::ApplicationIdentity
