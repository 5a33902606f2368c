// The history sheet over a large store: 500 history records of one project and 200 catalog
// files of 2,000 clips each. "OpenSheet": from creating the sheet to its overview drawn.
// "Keystroke": from a new text in the search field to its hits shown and drawn, once the
// catalog is in memory (every keystroke runs a new search on the model's worker threads).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Model/AppModel.h"
#include "Model/ModelStaging.h"
#include "Support/Dates.h"
#include "Transfer/SourceScan.h"
#include "Views/History/HistoryView.h"
#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"

namespace {

using namespace quillane;
constexpr int records = 500;
constexpr int cataloged = 200;
constexpr int clipsPerTransfer = 2000;

struct Store {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quillane-historybench-" + std::to_string(::getpid()));
    std::vector<TransferRecord> history;  // newest first

    Store() {
        ClipCatalog writer(folder);
        const auto start = *Dates::parseISO8601("2026-03-02T08:00:00Z");
        for (int t = 0; t < records; ++t) {
            char roll[16];
            std::snprintf(roll, sizeof roll, "%c%03d", "ABCS"[t % 4], t / 4 + 1);
            std::vector<TransferRecord::Destination> destinations = {
                TransferRecord::Destination("SHUTTLE 1", "/media/crew/SHUTTLE 1/FEATURE/" + std::string(roll), true, "U1"),
                TransferRecord::Destination("SHUTTLE 2", "/media/crew/SHUTTLE 2/FEATURE/" + std::string(roll), t % 9 != 0, "U2"),
            };
            if (t % 3 == 0)
                destinations.emplace_back("RAID", "/media/crew/RAID/FEATURE/" + std::string(roll), true, "U3");
            TransferRecord record("Feature", roll, t / 40 + 1, std::string("CARD ") + roll, "ARRI ALEXA 35",
                                  "fp" + std::to_string(t), clipsPerTransfer, 480'000'000'000,
                                  start + std::chrono::minutes(20 * t), destinations, true);
            if (t < cataloged) {
                std::vector<ScannedFile> files;
                for (int c = 0; c < clipsPerTransfer; ++c) {
                    char name[96];
                    std::snprintf(name, sizeof name, "%s/CLIPS/%sC%04d_%06X.MXF", roll, roll, c, (t * 7919 + c * 104729) & 0xFFFFFF);
                    files.push_back(ScannedFile{name, 1'000'000'000 + c});
                }
                writer.add(record.id, files, {});
            }
            history.insert(history.begin(), std::move(record));
        }
    }
    ~Store() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Store& store() {
    static Store instance;
    return instance;
}

AppModel& model() {
    static AppModel* instance = [] {
        auto* made = new AppModel(store().folder);
        ModelStaging(*made).project("Feature").history(store().history);
        made->flushChanges();
        return made;
    }();
    return *instance;
}

void OpenSheet(benchmark::State& state) {
    AppModel& staged = model();
    for (auto _ : state) {
        HistoryView sheet(staged);
        sheet.resize(HistoryView::sheetWidth, HistoryView::sheetHeight);
        benchmark::DoNotOptimize(sheet.grab());
    }
}

// Waits for the sheet to show the answer to its field's text, then draws it.
void waitAndDraw(HistoryView& sheet) {
    while (!sheet.showsAnswer()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    benchmark::DoNotOptimize(sheet.grab());
}

void Keystroke(benchmark::State& state) {
    AppModel& staged = model();
    HistoryView sheet(staged);
    sheet.resize(HistoryView::sheetWidth, HistoryView::sheetHeight);
    QElapsedTimer first;
    first.start();
    sheet.searchField()->setText("warm up");  // the first search reads every catalog file
    waitAndDraw(sheet);
    state.counters["firstSearchMs"] = static_cast<double>(first.elapsed());

    // What an editor types: a roll and clip, letter by letter, and a few that find many or none.
    const std::vector<QString> texts = {"c0", "c00", "c004", "c0042", "a01", "a012c", "a012c0042", ".mxf", "no such clip"};
    std::size_t next = 0;
    for (auto _ : state) {
        sheet.searchField()->setText(texts[next++ % texts.size()]);
        waitAndDraw(sheet);
    }
}

}  // namespace

BENCHMARK(OpenSheet)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(Keystroke)->Unit(benchmark::kMillisecond)->Iterations(90);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Theme::applyTo(application);
    Animations::setEnabled(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
