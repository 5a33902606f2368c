#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "App/ApplicationIdentity.h"
#include "App/MainWindow.h"
#include "App/ShellServices.h"
#include "App/SnapshotOptions.h"
#include "App/SnapshotRenderer.h"
#include "Model/AppModel.h"
#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"

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
    using namespace quillane;
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "Quillane needs a graphical desktop: no display was found (DISPLAY and WAYLAND_DISPLAY are "
                     "not set). Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen.\n");
        return 1;
    }
    QApplication application(argc, argv);
    ApplicationIdentity::apply();
    Theme::applyTo(application);

    // Read after Qt has taken its own arguments.
    const auto snapshot = Snapshot::options(QApplication::arguments());
    std::optional<std::filesystem::path> store;
    if (snapshot) store = std::filesystem::path(snapshot->directory) / "store";
    AppModel model(store, shellServices(snapshot.has_value()));

    int result = 0;
    if (snapshot) {
        Animations::setEnabled(false);
        QApplication::setQuitOnLastWindowClosed(false);
        SnapshotRenderer renderer(model, *snapshot);
        QTimer::singleShot(0, &renderer, &SnapshotRenderer::run);
        result = QApplication::exec();
    } else {
        MainWindow window(model);
        window.show();
        model.start();
        result = QApplication::exec();
    }
    // The model stops and joins its engine, probes and scans as it goes.
    return result;
}
