#include "Model/PathRules.h"

#include "Model/DemoDrives.h"

namespace quillane::PathRules {

std::string standardized(const std::filesystem::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

bool sameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    return standardized(a) == standardized(b);
}

bool liesOn(const std::filesystem::path& folder, const std::filesystem::path& volume) {
    const std::string path = standardized(folder);
    const std::string root = standardized(volume);
    if (path == root) return true;
    return path.starts_with(root == "/" ? root : root + "/");
}

std::string relativeTo(const std::filesystem::path& folder, const std::filesystem::path& volume) {
    std::string rest = standardized(folder).substr(std::min(standardized(volume).size(), standardized(folder).size()));
    while (!rest.empty() && rest.front() == '/') rest.erase(rest.begin());
    while (!rest.empty() && rest.back() == '/') rest.pop_back();
    return rest;
}

bool isDemoLocation(const std::filesystem::path& location) { return liesOn(location, DemoDrives::root()); }

}  // namespace quillane::PathRules
