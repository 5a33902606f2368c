#include "Model/StoppedJobs.h"

#include <algorithm>

namespace quillane {

using JSONCoding::Json;

Json JSONCodec<StoppedJobs>::encode(const StoppedJobs& jobs) {
    Json out = Json::object();
    for (const auto& [fingerprint, job] : jobs) {
        Json entry = {{"project", job.project}, {"roll", job.roll},         {"shootDay", job.shootDay},
                      {"sourceID", job.sourceID}, {"sourceName", job.sourceName}, {"path", job.path}};
        if (job.camera) entry["camera"] = *job.camera;
        out[fingerprint] = std::move(entry);
    }
    return out;
}

std::optional<StoppedJobs> JSONCodec<StoppedJobs>::decode(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    StoppedJobs jobs;
    for (const auto& [fingerprint, entry] : json.items()) {
        RunningJob job;
        job.fingerprint = fingerprint;
        const bool read = JSONCoding::required(entry, "project", job.project, JSONCoding::string) &&
                          JSONCoding::required(entry, "roll", job.roll, JSONCoding::string) &&
                          JSONCoding::required(entry, "shootDay", job.shootDay, JSONCoding::int32) &&
                          JSONCoding::required(entry, "sourceID", job.sourceID, JSONCoding::string) &&
                          JSONCoding::required(entry, "sourceName", job.sourceName, JSONCoding::string) &&
                          JSONCoding::required(entry, "path", job.path, JSONCoding::strings) &&
                          JSONCoding::optional(entry, "camera", job.camera, JSONCoding::string);
        // The levels become folders on the SSDs: each one a plain folder name.
        const bool plain = std::all_of(job.path.begin(), job.path.end(), [](const std::string& level) {
            return !level.empty() && level != "." && level != ".." && level.find('/') == std::string::npos &&
                   level.find('\0') == std::string::npos;
        });
        if (read && plain && !job.roll.empty() && !job.path.empty()) jobs.emplace(fingerprint, std::move(job));
    }
    return jobs;
}

}  // namespace quillane
