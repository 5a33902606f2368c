#pragma once
// One QApplication for a test executable, made on first use, on the offscreen platform unless
// the environment names another. Widget and event-loop tests call it before they start.
#include <QApplication>

namespace quillane::testing {

inline QApplication& application() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quillane-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace quillane::testing
