#include "Views/Main/SourceContentsLook.h"

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Transfer/ReportDates.h"
#include "Views/Kit/LocalText.h"

namespace quillane {

namespace {
QString bytes(std::int64_t count) { return QString::fromStdString(ByteFormat::string(count)); }
}  // namespace

SourceChoices sourceChoices(bool subfolderChosen, const std::optional<std::filesystem::path>& sourceRoot,
                            bool running) {
    SourceChoices choices;
    choices.rootTitle = QStringLiteral("Root folder");
    choices.rootSelected = !subfolderChosen;
    choices.enabled = !running;
    if (!subfolderChosen) {
        choices.folderTitle = lq("Kies map…", "Choose folder…");
    } else {
        std::filesystem::path root = sourceRoot.value_or(std::filesystem::path{});
        // A trailing separator leaves an empty last component; the folder is the one before it.
        if (!root.empty() && !root.has_filename()) root = root.parent_path();
        const std::string name = root.filename().string();
        choices.folderTitle = name.empty() ? lq("Map", "Folder") : QString::fromStdString(name);
    }
    return choices;
}

ScanLine scanLine(const ScanFacts& facts) {
    switch (facts.phase) {
        case ScanFacts::Phase::idle:
        case ScanFacts::Phase::scanning:
            return {ScanLine::Kind::spinner, lq("Scannen…", "Scanning…"), Tone::tertiary};
        case ScanFacts::Phase::failed:
            return {ScanLine::Kind::failed, QString::fromStdString(facts.failure), Tone::warning};
        case ScanFacts::Phase::ready:
            if (!facts.totalBytes) return {};
            return {ScanLine::Kind::summary,
                    bytes(*facts.totalBytes) + QStringLiteral(" · ") +
                        QString::fromStdString(countText(facts.fileCount, Counted::files)),
                    Tone::tertiary};
    }
    return {};
}

QString soundCompanionLine(const std::string& name, const std::string& roll) {
    return QString::fromStdString(name) + lq(" gaat automatisch mee als ", " goes along automatically as ") +
           QString::fromStdString(roll);
}

QString previousTransferLine(const std::string& roll, std::chrono::system_clock::time_point finishedAt) {
    return lq("Al overgezet als ", "Already transferred as ") + QString::fromStdString(roll) +
           QStringLiteral(" · ") +
           QString::fromStdString(ReportDates::mediumDateShortTime(finishedAt, Lang::current.load()));
}

std::vector<QueueRow> queueRows(const std::vector<QueueFacts>& queue) {
    std::vector<QueueRow> rows;
    rows.reserve(queue.size());
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const QueueFacts& item = queue[i];
        rows.push_back({item.id, QString::number(i + 1), QString::fromStdString(item.sourceName),
                        QString::fromStdString(item.roll), bytes(item.totalBytes)});
    }
    return rows;
}

DemoButtonForm demoButtonForm(DemoState state) {
    switch (state) {
        case DemoState::off: return DemoButtonForm::button;
        case DemoState::starting: return DemoButtonForm::spinner;
        default: return DemoButtonForm::nothing;
    }
}

}  // namespace quillane
