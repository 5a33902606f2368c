#include "Transfer/ASCMHLChain.h"

#include <cerrno>
#include <cstdio>
#include <limits>
#include <system_error>
#include <vector>

#include "Support/Dates.h"
#include "Support/ExclusiveRename.h"
#include "Support/FileIO.h"
#include "Support/Markup.h"
#include "Support/Text.h"
#include "Transfer/ASCMHLWriter.h"
#include "Transfer/C4.h"

namespace quillane {
namespace {

constexpr std::string_view closingTag = "</ascmhldirectory>";
constexpr std::size_t maxChainBytes = 64u << 20;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal digits as a number; nothing when they don't fit.
std::optional<long long> parseNumber(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        const int d = c - '0';
        if (value > (std::numeric_limits<long long>::max() - d) / 10) return std::nullopt;
        value = value * 10 + d;
    }
    return value;
}

}  // namespace

namespace ASCMHLChain {

Current read(const std::filesystem::path& chainFile) {
    Current current;
    try {
        current.text = FileOps::readFile(chainFile, maxChainBytes);
        current.exists = true;
    } catch (const FileError& error) {
        if (error.code().value() == ENOENT) return current;
        current.exists = true;
        current.damaged = true;
        return current;
    }
    if (!Text::isValidUtf8(current.text) || current.text.find(closingTag) == std::string::npos)
        current.damaged = true;
    return current;
}

std::string withEntry(const Current& current, long long sequenceNumber, std::string_view manifestName,
                      std::string_view c4) {
    std::string entry;
    entry += "  <hashlist sequencenr=\"" + std::to_string(sequenceNumber) + "\">\n";
    entry += "    <path>" + Markup::escape(manifestName) + "</path>\n";
    entry += "    <c4>" + std::string(c4) + "</c4>\n";
    entry += "  </hashlist>\n";

    if (!current.damaged) {
        const auto at = current.text.find(closingTag);
        if (at != std::string::npos) {
            std::string text = current.text;
            text.insert(at, entry);
            return text;
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<ascmhldirectory xmlns=\"urn:ASC:MHL:DIRECTORY:v2.0\">\n" +
           entry + std::string(closingTag) + "\n";
}

std::string utcStamp(std::chrono::system_clock::time_point time) {
    const auto c = Dates::utc(time);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d_%02d%02d%02d", c.year, c.month, c.day, c.hour, c.minute,
                  c.second);
    return buffer;
}

std::filesystem::path setAside(const std::filesystem::path& chainFile, std::chrono::system_clock::time_point when) {
    const std::string base = "ascmhl_chain.damaged-" + utcStamp(when) + "Z";
    int lastError = EEXIST;
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const auto target =
            chainFile.parent_path() / (attempt == 1 ? base : base + "-" + std::to_string(attempt));
        if (ExclusiveRename::rename(chainFile, target)) return target;
        lastError = errno;
        if (lastError != EEXIST) break;
    }
    throw FileError(lastError, chainFile, "cannot set the damaged chain aside");
}

}  // namespace ASCMHLChain

namespace ASCMHLWriter {

std::vector<long long> sequenceNumbers(std::string_view chainText) {
    constexpr std::string_view key = "sequencenr=\"";
    std::vector<long long> numbers;
    for (std::size_t at = chainText.find(key); at != std::string_view::npos; at = chainText.find(key, at + 1)) {
        std::size_t end = at + key.size();
        while (end < chainText.size() && isDigit(chainText[end])) ++end;
        if (end == at + key.size() || end >= chainText.size() || chainText[end] != '"') continue;
        if (auto number = parseNumber(chainText.substr(at + key.size(), end - at - key.size())))
            numbers.push_back(*number);
    }
    return numbers;
}

long long nextSequenceNumber(const std::filesystem::path& manifestFolder, std::string_view chainText) {
    long long highest = 0;
    auto consider = [&](long long n) {
        if (n > highest && n < std::numeric_limits<long long>::max()) highest = n;
    };
    for (long long n : sequenceNumbers(chainText)) consider(n);

    // Manifests whose chain entry was lost still hold their number in their name.
    std::error_code error;
    for (std::filesystem::directory_iterator it(manifestFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".mhl") != 0) continue;
        std::size_t digits = 0;
        while (digits < name.size() && isDigit(name[digits])) ++digits;
        if (digits == 0 || digits >= name.size() || name[digits] != '_') continue;
        if (auto n = parseNumber(std::string_view(name).substr(0, digits))) consider(*n);
    }
    return highest + 1;
}

std::string c4ID(std::string_view bytes) { return C4::identifier(bytes); }

}  // namespace ASCMHLWriter
}  // namespace quillane
