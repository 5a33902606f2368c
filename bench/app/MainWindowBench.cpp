// The main window at the 0.15 s progress tick, with every view attached: a cart of 4 SSDs, 6 cards
// and 3 queued cards while a transfer runs. Prints the main-thread time of one tick (the model's
// change notification and every view's refresh in place, then a paint), and the time from the
// model's creation to the first painted window with 500 history records and 20 volumes.
//
//   QT_QPA_PLATFORM=offscreen bench_MainWindowBench [ticks=400]
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Model/AppModel.h"
#include "Model/ModelStaging.h"
#include "Settings/JSONStore.h"
#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "support/app/MainWindowStaging.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

void tickBench(int ticks) {
    QTemporaryDir store;
    AppModel model(std::filesystem::path(store.path().toStdString()));
    stageCart(ModelStaging(model), 4, 6, 3, TransferState::running);
    model.flushChanges();
    WindowNavigation navigation;
    MainView view(model, navigation);
    view.resize(1300, 800);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    QCoreApplication::processEvents();
    QImage canvas(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&canvas);

    const std::vector<DestinationPlan> plans = model.plans();
    std::vector<double> refresh, withPaint;
    for (int i = 0; i < ticks; ++i) {
        const double fraction = 0.3 + 0.6 * i / ticks;
        ModelStaging(model).progress(stagedProgress(plans, TransferPhase::copying, fraction, 64'000'000'000));
        QElapsedTimer timer;
        timer.start();
        model.flushChanges();  // every view refreshes in place
        const double refreshed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        view.render(&canvas);
        refresh.push_back(refreshed);
        withPaint.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("progress tick, %d ticks: refresh median %.3f ms, p95 %.3f ms; with a full repaint median %.3f ms, "
                "p95 %.3f ms\n",
                ticks, percentile(refresh, 0.5), percentile(refresh, 0.95), percentile(withPaint, 0.5),
                percentile(withPaint, 0.95));
}

void firstWindowBench() {
    QTemporaryDir store;
    std::vector<TransferRecord> history;
    for (int i = 0; i < 500; ++i) {
        history.emplace_back("Feature", std::string("A").append(std::to_string(1000 + i).substr(1)), 1 + i / 20, "FX6_CARD", "Sony · XAVC",
                             "fp" + std::to_string(i), 120, 64'000'000'000,
                             std::chrono::system_clock::now() - std::chrono::hours(i),
                             std::vector<TransferRecord::Destination>{{"SSD_1", "/media/SSD_1/x", true},
                                                                      {"SSD_2", "/media/SSD_2/x", true}},
                             true);
    }
    JSONStore<std::vector<TransferRecord>>("history.json", std::filesystem::path(store.path().toStdString())).save(history);

    std::vector<DriveState> drives;
    for (int i = 0; i < 10; ++i) drives.push_back(stagedCard("card-" + std::to_string(i), "CARD_" + std::to_string(i), i == 3));
    for (int i = 0; i < 8; ++i) drives.push_back(stagedSSD("ssd-" + std::to_string(i), "SSD_" + std::to_string(i)));
    drives.push_back(stagedOther("o1", "Backups"));
    drives.push_back(stagedOther("o2", "Time Machine"));

    QElapsedTimer timer;
    timer.start();
    AppModel model(std::filesystem::path(store.path().toStdString()));
    ModelStaging(model).drives(drives).project("Feature").selectedSource("card-0");
    model.flushChanges();
    const double built = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    WindowNavigation navigation;
    MainView view(model, navigation);
    view.resize(1300, 800);
    QImage canvas(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&canvas);
    const double painted = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("model with %zu history records and %zu volumes: %.1f ms; first painted main window: %.1f ms\n",
                model.history().size(), model.drives().size(), built, painted);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Theme::applyTo(application);
    Animations::setEnabled(false);
    const int ticks = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
    firstWindowBench();
    tickBench(ticks);
    return 0;
}
