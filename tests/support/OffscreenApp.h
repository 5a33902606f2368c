#pragma once
// For the view test folders: a main() that runs the tests inside an off-screen QApplication with
// the interface's theme and no animations, and a helper that saves a render for review.
//
//   // tests/app/<Folder>/main.cpp
//   #include "support/OffscreenApp.h"
//   int main(int argc, char** argv) { return quillane::testing::runOffscreenTests(argc, argv); }
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLayout>
#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <gtest/gtest.h>

#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"
#include "support/app/TextFit.h"

namespace quillane::testing {

// While one lives, drawing a symbol the table lacks is expected (the test asks for one on purpose).
class UnknownSymbolsExpected {
public:
    UnknownSymbolsExpected() { ++depth(); }
    ~UnknownSymbolsExpected() { --depth(); }
    UnknownSymbolsExpected(const UnknownSymbolsExpected&) = delete;
    UnknownSymbolsExpected& operator=(const UnknownSymbolsExpected&) = delete;
    static int& depth() {
        static int count = 0;
        return count;
    }
};

// A view that draws a symbol the table lacks fails the test that drew it, so every render checks
// the names that pure functions hand to the views.
inline void failOnUnknownSymbols() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QStringLiteral("Unknown symbol:")) && UnknownSymbolsExpected::depth() == 0)
            ADD_FAILURE() << message.toStdString();
        if (previous) previous(type, context, message);
    });
}

inline int runOffscreenTests(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    failOnUnknownSymbols();
    Theme::applyTo(application);
    Animations::setEnabled(false);
    const int result = RUN_ALL_TESTS();
    // Sends and checks that ran on the shared pool end their threads here, and with them the TLS
    // libraries' per-thread state, before the leak checker looks at what is left at exit.
    QThreadPool::globalInstance()->waitForDone();
    return result;
}

// Shows the widget off screen (at `size` when one is given) and runs the events that showing queues.
inline void showOffscreen(QWidget& widget, QSize size = {}) {
    if (size.isValid()) widget.resize(size);
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    QCoreApplication::processEvents();
}

// The folder beside the test executable where renders go (build/…/renders).
inline QString renderFolder() {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
    QDir().mkpath(folder);
    return folder;
}

// Lays the widget out at its size hint (or the given size), renders it and saves <name>.png in the
// render folder; returns the image for pixel checks. Fails the test when a text in it is cut.
inline QImage saveRender(QWidget& widget, const QString& name, QSize size = {}) {
    widget.ensurePolished();
    if (!size.isValid()) size = widget.sizeHint().expandedTo(widget.minimumSizeHint());
    widget.resize(size);
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    // Rows added by nested layouts during construction settle over more than one turn.
    for (int turn = 0; turn < 3; ++turn) {
        QCoreApplication::processEvents();
        for (QLayout* layout : widget.findChildren<QLayout*>()) layout->activate();
    }
    const QImage image = widget.grab().toImage();
    image.save(renderFolder() + QLatin1Char('/') + name + QStringLiteral(".png"));
    // No render of a view may show a text cut.
    const QStringList cut = cutTexts(widget);
    EXPECT_TRUE(cut.isEmpty()) << name.toStdString() << ":\n  " << cut.join(QStringLiteral("\n  ")).toStdString();
    return image;
}

}  // namespace quillane::testing
