#pragma once
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>

namespace quillane {

// One fixed folder made beside the card folders: it hangs below the first parentLevel + 1
// levels of the resolved card path (the whole path when that is shorter), or directly in the
// destination's base folder when parentLevel is negative. The name holds one or more
// "/"-separated levels, which may hold tags.
struct ExtraFolder {
    std::int64_t parentLevel = 0;
    std::string name;

    bool operator==(const ExtraFolder&) const = default;

    // {"parentLevel": n, "name": "…"}.
    nlohmann::json toJSON() const;
    // Needs an integer "parentLevel" and a string "name"; other keys are ignored.
    // Throws nlohmann::json::exception otherwise.
    static ExtraFolder fromJSON(const nlohmann::json& json);
};

void to_json(nlohmann::json& json, const ExtraFolder& folder);
void from_json(const nlohmann::json& json, ExtraFolder& folder);

}  // namespace quillane
