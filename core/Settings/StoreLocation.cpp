#include "Settings/StoreLocation.h"

#include <cstdlib>
#include <string>

#include "Product/Product.h"

namespace quillane::StoreLocation {
namespace {

std::optional<std::filesystem::path> xdgHome(const char* variable, const char* fallbackBelowHome) {
    // A relative value is invalid by the XDG rules and is ignored.
    if (const char* value = std::getenv(variable); value && *value == '/') return std::filesystem::path(value);
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return std::filesystem::path(home) / fallbackBelowHome;
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
