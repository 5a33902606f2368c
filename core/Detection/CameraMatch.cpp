#include "Detection/CameraMatch.h"

#include <nlohmann/json.hpp>

namespace quillane {

std::string CameraMatch::label() const { return brand + " \u00B7 " + format; }

void to_json(nlohmann::json& j, const CameraMatch& m) {
    j = nlohmann::json{{"brand", m.brand}, {"format", m.format}, {"evidence", m.evidence}, {"token", m.token}};
}

void from_json(const nlohmann::json& j, CameraMatch& m) {
    CameraMatch out;
    out.brand = j.at("brand").get<std::string>();
    out.format = j.at("format").get<std::string>();
    out.evidence = j.at("evidence").get<std::string>();
    out.token = j.at("token").get<std::string>();
    m = std::move(out);
}

}  // namespace quillane
