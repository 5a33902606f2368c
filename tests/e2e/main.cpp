// The end-to-end walk runs the whole application in this process, in a mount namespace of its
// own (entered before Qt or any thread starts), on the display QT_QPA_PLATFORM names: offscreen
// by default, a real X server under xvfb-run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThreadPool>

#include <cstdio>

#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"
#include "support/PrivateMounts.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery) needs no namespace.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (const auto why = quillane::testing::enterPrivateMountNamespace())
        std::fprintf(stderr, "no private mount namespace: %s\n", why->c_str());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillane"));
    quillane::Theme::applyTo(application);
    quillane::Animations::setEnabled(false);
    const int result = RUN_ALL_TESTS();
    QThreadPool::globalInstance()->waitForDone();
    return result;
}
