#pragma once
#include <QString>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Model/ModelStates.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// The two ways to take a card: all of it, or one folder on it.
struct SourceChoices {
    QString rootTitle;
    bool rootSelected = true;
    QString folderTitle;
    bool enabled = true;
};
SourceChoices sourceChoices(bool subfolderChosen, const std::optional<std::filesystem::path>& sourceRoot,
                            bool running);

// The scan line under the choices.
struct ScanFacts {
    enum class Phase { idle, scanning, failed, ready };
    Phase phase = Phase::idle;
    std::string failure;                        // the failed scan's message
    std::optional<std::int64_t> totalBytes;     // a finished scan's size
    int fileCount = 0;
};
struct ScanLine {
    enum class Kind { none, spinner, failed, summary };
    Kind kind = Kind::none;
    QString text;
    Tone tone = Tone::tertiary;
    bool operator==(const ScanLine&) const = default;
};
ScanLine scanLine(const ScanFacts& facts);

QString soundCompanionLine(const std::string& name, const std::string& roll);
// "Already transferred as A003 · 7 Dec 2026, 14:12" in the current language.
QString previousTransferLine(const std::string& roll, std::chrono::system_clock::time_point finishedAt);

// One row of the queue list.
struct QueueRow {
    std::string id;
    QString number;
    QString name;
    QString roll;
    QString size;
};
struct QueueFacts {
    std::string id;
    std::string sourceName;
    std::string roll;
    std::int64_t totalBytes = 0;
};
std::vector<QueueRow> queueRows(const std::vector<QueueFacts>& queue);

// What stands in the demo button's place.
enum class DemoButtonForm { button, spinner, nothing };
DemoButtonForm demoButtonForm(DemoState state);

}  // namespace quillane
