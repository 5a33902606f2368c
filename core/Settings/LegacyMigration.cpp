#include "Settings/LegacyMigration.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "Product/Product.h"
#include "Settings/StoreLocation.h"
#include "Support/ExclusiveRename.h"
#include "Support/FileIO.h"
#include "Support/Folders.h"

namespace quillane::LegacyMigration {
namespace {

std::string describe(int error) { return std::generic_category().message(error); }

// The names of a folder's direct children, hidden ones included.
bool listChildren(const std::filesystem::path& folder, std::vector<std::filesystem::path>& names, int& error) {
    std::error_code code;
    std::filesystem::directory_iterator it(folder, code);
    if (code) {
        error = code.value();
        return false;
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(code)) {
        if (code) break;
        names.push_back(it->path().filename());
    }
    if (code) {
        error = code.value();
        return false;
    }
    return true;
}

}  // namespace

Outcome moveFolder(const std::filesystem::path& source, const std::filesystem::path& target) {
    try {
        if (!FileOps::exists(source)) return Outcome::nothingToDo();

        if (!FileOps::exists(target)) {
            if (target.has_parent_path() && !Folders::createAll(target.parent_path(), StoreLocation::folderMode))
                return Outcome::failed(describe(errno));
            if (!ExclusiveRename::rename(source, target)) return Outcome::failed(describe(errno));
            return Outcome::moved();
        }

        std::vector<std::filesystem::path> children;
        int error = 0;
        if (!listChildren(source, children, error)) return Outcome::failed(describe(error));
        int moved = 0;
        for (const auto& name : children) {
            if (FileOps::exists(target / name)) continue;  // never merged further, never replaced
            if (!ExclusiveRename::rename(source / name, target / name)) return Outcome::failed(describe(errno));
            ++moved;
        }
        std::vector<std::filesystem::path> left;
        if (listChildren(source, left, error) && left.empty()) FileIO::current().rmdir(source.c_str());
        return Outcome::merged(moved);
    } catch (const std::exception& e) {
        return Outcome::failed(e.what());
    }
}

std::vector<Outcome> migrateTarnwickFolders(const std::vector<std::filesystem::path>& bases) {
    std::vector<Outcome> outcomes;
    for (const auto& base : bases) outcomes.push_back(moveFolder(base / Product::legacyName, base / Product::name));
    return outcomes;
}

void migrateTarnwickFolders() {
    std::vector<std::filesystem::path> bases;
    if (const auto data = StoreLocation::dataHome()) bases.push_back(*data);
    if (const auto cache = StoreLocation::cacheHome()) bases.push_back(*cache);
    migrateTarnwickFolders(bases);
}

}  // namespace quillane::LegacyMigration
