#include <QGuiApplication>
#include <QThreadPool>

#include <gtest/gtest.h>

// The desktop services run inside an off-screen QGuiApplication (window attention needs one).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    // Sends that ran on the shared pool end their threads here, before the leak checker looks.
    QThreadPool::globalInstance()->waitForDone();
    return result;
}
