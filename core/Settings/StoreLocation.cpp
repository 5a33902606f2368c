#include "Settings/StoreLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>
#include <string>

#include "Product/Product.h"

namespace quillane::StoreLocation {
namespace {

std::optional<std::filesystem::path> xdgHome(const char* variable, const char* fallbackBelowHome) {
    // A relative value is invalid by the XDG rules and is ignored.
    if (const char* value = std::getenv(variable); value && *value == '/') return std::filesystem::path(value);
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return std::filesystem::path(home) / fallbackBelowHome;
    // No HOME: the account's home folder.
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        *found->pw_dir == '/')
        return std::filesystem::path(found->pw_dir) / fallbackBelowHome;
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> dataHome() { return xdgHome("XDG_DATA_HOME", ".local/share"); }

std::optional<std::filesystem::path> cacheHome() { return xdgHome("XDG_CACHE_HOME", ".cache"); }

std::filesystem::path defaultDirectory() {
    const auto base = dataHome();
    return base ? *base / Product::name : std::filesystem::path(Product::name);
}

}  // namespace quillane::StoreLocation
