#include "Platform/MountInfo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace quillane {

bool MountEntry::isReadOnly() const {
    return MountInfo::hasOption(mountOptions, "ro") || MountInfo::hasOption(superOptions, "ro");
}

namespace MountInfo {
namespace {

// Splits at every blank: blanks inside values are escaped, and an empty source ("a  b") is an
// empty field, not a missing one.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) {
            out.push_back(line.substr(start));
            return out;
        }
        out.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

template <typename Number>
bool parseNumber(std::string_view text, Number& out) {
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

std::string unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

bool hasOption(std::string_view options, std::string_view option) {
    std::size_t start = 0;
    while (start <= options.size()) {
        std::size_t end = options.find(',', start);
        if (end == std::string_view::npos) end = options.size();
        if (options.substr(start, end - start) == option) return true;
        start = end + 1;
    }
    return false;
}

std::optional<MountEntry> parseLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> parts = fields(line);
    // id parent maj:min root mountpoint options [optional…] - type source superoptions
    if (parts.size() < 10) return std::nullopt;
    std::size_t separator = 6;
    while (separator < parts.size() && parts[separator] != "-") ++separator;
    if (separator + 4 != parts.size()) return std::nullopt;

    MountEntry entry;
    if (!parseNumber(parts[0], entry.mountId) || !parseNumber(parts[1], entry.parentId)) return std::nullopt;
    const std::string_view device = parts[2];
    const std::size_t colon = device.find(':');
    if (colon == std::string_view::npos || !parseNumber(device.substr(0, colon), entry.major) ||
        !parseNumber(device.substr(colon + 1), entry.minor))
        return std::nullopt;
    entry.root = unescape(parts[3]);
    entry.mountPoint = unescape(parts[4]);
    if (entry.mountPoint.empty() || !entry.mountPoint.is_absolute()) return std::nullopt;
    entry.mountOptions = std::string(parts[5]);
    entry.fsType = unescape(parts[separator + 1]);
    entry.source = unescape(parts[separator + 2]);
    entry.superOptions = std::string(parts[separator + 3]);
    return entry;
}

std::optional<std::string> readTable(const std::filesystem::path& file, std::size_t maxBytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    // procfs reports a size of 0: read until the end.
    std::string text;
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || text.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

std::vector<MountEntry> parse(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (auto entry = parseLine(text.substr(start, end - start))) entries.push_back(std::move(*entry));
        start = end + 1;
    }
    return entries;
}

}  // namespace MountInfo
}  // namespace quillane
