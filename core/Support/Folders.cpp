#include "Support/Folders.h"

#include <sys/stat.h>

#include <cerrno>

#include "Support/FileIO.h"

namespace quillane::Folders {

bool createAll(const std::filesystem::path& folder, mode_t mode, std::filesystem::path* failed) {
    FileIO& io = FileIO::current();
    std::filesystem::path built;
    auto fail = [&](int error) {
        if (failed) *failed = built;
        errno = error;
        return false;
    };
    for (const auto& part : folder.lexically_normal()) {
        built /= part;
        if (part.empty() || part == "/" || part == "." || part == "..") continue;
        struct stat st {};
        if (io.stat(built.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return fail(ENOTDIR);
            continue;
        }
        if (io.mkdir(built.c_str(), mode) == 0) continue;
        const int error = errno;
        if (error != EEXIST) return fail(error);
        if (io.stat(built.c_str(), &st) != 0) return fail(errno);
        if (!S_ISDIR(st.st_mode)) return fail(ENOTDIR);
    }
    return true;
}

namespace {
// True when path is root or lies below it, compared name by name.
bool isWithin(const std::filesystem::path& path, const std::filesystem::path& root) {
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty()) continue;  // a trailing separator
        if (p == path.end() || *p != *r) return false;
    }
    return true;
}
}  // namespace

std::optional<std::filesystem::path> joinInside(const std::filesystem::path& volumeRoot, std::string_view relative) {
    std::filesystem::path joined = volumeRoot;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        if (start == 0 && end == 0 && !relative.empty()) return std::nullopt;  // absolute
        if (part == "..") return std::nullopt;
        if (!part.empty() && part != ".") joined /= std::string(part);
        start = end + 1;
    }
    // Links are resolved as far as the path exists; what they lead to must stay inside.
    std::error_code error;
    const std::filesystem::path root = std::filesystem::weakly_canonical(volumeRoot, error);
    if (error) return std::nullopt;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(joined, error);
    if (error || !isWithin(resolved, root)) return std::nullopt;
    return joined;
}

}  // namespace quillane::Folders
