#include "Settings/TransferRecord.h"

namespace quillane {

using JSONCoding::Json;
namespace J = JSONCoding;

namespace {

Json encodeDestination(const TransferRecord::Destination& d) {
    Json json = Json::object();
    json["name"] = d.name;
    json["path"] = d.path;
    json["succeeded"] = d.succeeded;
    if (d.error) json["error"] = *d.error;
    if (d.volumeID) json["volumeID"] = *d.volumeID;
    if (d.capacity) json["capacity"] = *d.capacity;
    return json;
}

std::optional<TransferRecord::Destination> decodeDestination(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    TransferRecord::Destination d;
    if (!J::required(json, "name", d.name, J::string) || !J::required(json, "path", d.path, J::string) ||
        !J::required(json, "succeeded", d.succeeded, J::boolean) || !J::optional(json, "error", d.error, J::string) ||
        !J::optional(json, "volumeID", d.volumeID, J::string) || !J::optional(json, "capacity", d.capacity, J::int64))
        return std::nullopt;
    return d;
}

}  // namespace

Json JSONCodec<TransferRecord>::encode(const TransferRecord& r) {
    Json json = Json::object();
    json["id"] = r.id.text();
    json["project"] = r.project;
    json["roll"] = r.roll;
    json["sourceName"] = r.sourceName;
    if (r.cameraLabel) json["cameraLabel"] = *r.cameraLabel;
    json["fingerprint"] = r.fingerprint;
    json["fileCount"] = r.fileCount;
    json["totalBytes"] = r.totalBytes;
    json["algorithm"] = ChecksumAlgorithms::id(r.algorithm);
    json["verified"] = r.verified;
    json["succeeded"] = r.succeeded;
    json["startedAt"] = J::encodeDate(r.startedAt);
    json["finishedAt"] = J::encodeDate(r.finishedAt);
    Json destinations = Json::array();
    for (const auto& d : r.destinations) destinations.push_back(encodeDestination(d));
    json["destinations"] = std::move(destinations);
    if (r.shootDay) json["shootDay"] = *r.shootDay;
    return json;
}

std::optional<TransferRecord> JSONCodec<TransferRecord>::decode(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    TransferRecord r;
    if (!J::required(json, "id", r.id, J::uuid) || !J::required(json, "project", r.project, J::string) ||
        !J::required(json, "roll", r.roll, J::string) || !J::required(json, "sourceName", r.sourceName, J::string) ||
        !J::optional(json, "cameraLabel", r.cameraLabel, J::string) ||
        !J::required(json, "fingerprint", r.fingerprint, J::string) ||
        !J::required(json, "fileCount", r.fileCount, J::int32) ||
        !J::required(json, "totalBytes", r.totalBytes, J::int64) ||
        !J::required(json, "algorithm", r.algorithm, J::rawValue(&ChecksumAlgorithms::fromRawValue)) ||
        !J::required(json, "verified", r.verified, J::boolean) ||
        !J::required(json, "succeeded", r.succeeded, J::boolean) ||
        !J::required(json, "startedAt", r.startedAt, J::date) ||
        !J::required(json, "finishedAt", r.finishedAt, J::date) ||
        !J::required(json, "destinations", r.destinations, J::arrayOf(decodeDestination)) ||
        !J::optional(json, "shootDay", r.shootDay, J::int32))
        return std::nullopt;
    return r;
}

Json JSONCodec<std::vector<TransferRecord>>::encode(const std::vector<TransferRecord>& history) {
    Json json = Json::array();
    for (const auto& record : history) json.push_back(JSONCodec<TransferRecord>::encode(record));
    return json;
}

std::optional<std::vector<TransferRecord>> JSONCodec<std::vector<TransferRecord>>::decode(const Json& json) {
    return J::arrayOf(&JSONCodec<TransferRecord>::decode)(json);
}

}  // namespace quillane
