#include "App/SelfTestLog.h"

#include <algorithm>
#include <cmath>

#include "Detection/ByteFormat.h"
#include "Support/Text.h"

namespace quillane::SelfTestLog {

namespace {
const char* boolean(bool value) { return value ? "true" : "false"; }
}  // namespace

std::string listDescription(const std::vector<std::string>& items) {
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += ", ";
        text += "\"" + items[i] + "\"";
    }
    return text + "]";
}

int percent(std::optional<double> fraction) {
    if (!fraction || !std::isfinite(*fraction)) return 0;
    return static_cast<int>(std::trunc(std::clamp(*fraction, 0.0, 1.0) * 100.0));
}

std::string startLine(const std::string& roll, const std::string& card, std::int64_t totalBytes,
                      std::vector<std::string> destinations, const std::vector<std::string>& path) {
    std::sort(destinations.begin(), destinations.end());
    return "start " + roll + " from " + card + " " + ByteFormat::string(totalBytes) + " \u2192 " +
           listDescription(destinations) + " path=" + listDescription(path);
}

std::string queuedLine(const std::string& card, const std::optional<std::string>& roll,
                       const std::vector<std::string>& path) {
    return "queued " + card + " as " + roll.value_or("?") + " path=" + listDescription(path);
}

std::string startedAfterLine(const std::string& card, const std::string& roll, const std::vector<std::string>& path) {
    return "started " + card + " as " + roll + " after the first card path=" + listDescription(path);
}

std::string historyLine(const TransferRecord& record) {
    const std::string first = record.destinations.empty() ? std::string() : record.destinations.front().path;
    return "history: " + record.roll + " " + record.sourceName + " ok=" + boolean(record.succeeded) +
           " files=" + std::to_string(record.fileCount) + " \u2192 " + first;
}

std::string searchLine(const std::string& roll, const std::string& relativePath,
                       const std::vector<std::pair<std::string, bool>>& locations) {
    std::vector<std::string> described;
    for (const auto& [name, online] : locations) described.push_back(name + ":" + boolean(online));
    return "search C0004: " + roll + " " + relativePath + " \u2192 " + listDescription(described);
}

std::string reportLine(const std::optional<std::string>& report, const std::optional<std::string>& mhl) {
    return "report: " + report.value_or("-") + "  mhl: " + mhl.value_or("-");
}

std::string freeLine(const std::string& volume, std::int64_t available) {
    return "free: " + volume + " " + ByteFormat::string(available);
}

std::string joined(const std::vector<std::string>& lines) { return Text::joined(lines, "\n"); }

}  // namespace quillane::SelfTestLog
