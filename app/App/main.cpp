#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Product/Product.h"

namespace {
// Qt aborts when it finds no display; say so plainly and exit instead.
bool displayAvailable(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0) return true;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}
}  // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "Quillane needs a graphical desktop: no display was found (DISPLAY and WAYLAND_DISPLAY are "
                     "not set). Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen.\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(quillane::Product::name);
    QApplication::setApplicationVersion(quillane::Product::version);

    QMainWindow window;
    window.setWindowTitle(quillane::Product::name);
    window.resize(1200, 760);
    window.show();
    return QApplication::exec();
}
