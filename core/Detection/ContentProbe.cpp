#include "Detection/ContentProbe.h"

#include "Support/Text.h"

namespace quillane {

std::int64_t ContentProbe::count(std::string_view extension) const {
    auto it = extensionCounts.find(Text::lowercased(extension));
    return it == extensionCounts.end() ? 0 : it->second;
}

bool ContentProbe::hasDirectory(std::string_view relativePath) const {
    return directoryPaths.count(Text::uppercased(relativePath)) != 0;
}

}  // namespace quillane
