#include "Detection/ContentProbe.h"

#include <nlohmann/json.hpp>

#include "Support/Text.h"

namespace quillane {

std::int64_t ContentProbe::count(std::string_view extension) const {
    auto it = extensionCounts.find(Text::lowercased(extension));
    return it == extensionCounts.end() ? 0 : it->second;
}

bool ContentProbe::hasDirectory(std::string_view relativePath) const {
    return directoryPaths.count(Text::uppercased(relativePath)) != 0;
}

void to_json(nlohmann::json& j, const ContentProbe& p) {
    j = nlohmann::json{{"directoryPaths", p.directoryPaths},
                       {"rootNames", p.rootNames},
                       {"extensionCounts", p.extensionCounts},
                       {"shallowVideoCount", p.shallowVideoCount},
                       {"deepVideoCount", p.deepVideoCount},
                       {"audioFileCount", p.audioFileCount},
                       {"sampleVideoNames", p.sampleVideoNames},
                       {"truncated", p.truncated},
                       {"accessDenied", p.accessDenied}};
}

void from_json(const nlohmann::json& j, ContentProbe& p) {
    ContentProbe out;
    out.directoryPaths = j.at("directoryPaths").get<std::set<std::string>>();
    out.rootNames = j.at("rootNames").get<std::vector<std::string>>();
    out.extensionCounts = j.at("extensionCounts").get<std::map<std::string, std::int64_t>>();
    out.shallowVideoCount = j.at("shallowVideoCount").get<std::int64_t>();
    out.deepVideoCount = j.at("deepVideoCount").get<std::int64_t>();
    out.audioFileCount = j.at("audioFileCount").get<std::int64_t>();
    out.sampleVideoNames = j.at("sampleVideoNames").get<std::vector<std::string>>();
    out.truncated = j.at("truncated").get<bool>();
    out.accessDenied = j.at("accessDenied").get<bool>();
    p = std::move(out);
}

}  // namespace quillane
