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

// Reads a required key; false when it is missing, null or of another type.
template <typename T, typename Reader>
bool required(const Json& object, const char* key, T& out, Reader reader) {
    const Json* value = J::member(object, key);
    if (!value) return false;
    auto read = reader(*value);
    if (!read) return false;
    out = std::move(*read);
    return true;
}

// Reads an optional key; false only when it is present with a value of another type.
template <typename T, typename Reader>
bool optional(const Json& object, const char* key, std::optional<T>& out, Reader reader) {
    const Json* value = J::member(object, key);
    if (!value) {
        out.reset();
        return true;
    }
    auto read = reader(*value);
    if (!read) return false;
    out = std::move(*read);
    return true;
}

std::optional<TransferRecord::Destination> decodeDestination(const Json& json) {
    if (!json.is_object()) return std::nullopt;
    TransferRecord::Destination d;
    if (!required(json, "name", d.name, J::string) || !required(json, "path", d.path, J::string) ||
        !required(json, "succeeded", d.succeeded, J::boolean) || !optional(json, "error", d.error, J::string) ||
        !optional(json, "volumeID", d.volumeID, J::string) || !optional(json, "capacity", d.capacity, J::int64))
        return std::nullopt;
    return d;
}

std::optional<ChecksumAlgorithm> algorithmOf(const Json& json) {
    const auto text = J::string(json);
    return text ? ChecksumAlgorithms::fromRawValue(*text) : std::nullopt;
}

std::optional<std::vector<TransferRecord::Destination>> destinationsOf(const Json& json) {
    if (!json.is_array()) return std::nullopt;
    std::vector<TransferRecord::Destination> out;
    out.reserve(json.size());
    for (const Json& element : json) {
        auto d = decodeDestination(element);
        if (!d) return std::nullopt;
        out.push_back(std::move(*d));
    }
    return out;
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
    if (!required(json, "id", r.id, J::uuid) || !required(json, "project", r.project, J::string) ||
        !required(json, "roll", r.roll, J::string) || !required(json, "sourceName", r.sourceName, J::string) ||
        !optional(json, "cameraLabel", r.cameraLabel, J::string) ||
        !required(json, "fingerprint", r.fingerprint, J::string) ||
        !required(json, "fileCount", r.fileCount, J::int32) ||
        !required(json, "totalBytes", r.totalBytes, J::int64) ||
        !required(json, "algorithm", r.algorithm, algorithmOf) ||
        !required(json, "verified", r.verified, J::boolean) ||
        !required(json, "succeeded", r.succeeded, J::boolean) ||
        !required(json, "startedAt", r.startedAt, J::date) ||
        !required(json, "finishedAt", r.finishedAt, J::date) ||
        !required(json, "destinations", r.destinations, destinationsOf) ||
        !optional(json, "shootDay", r.shootDay, J::int32))
        return std::nullopt;
    return r;
}

Json JSONCodec<std::vector<TransferRecord>>::encode(const std::vector<TransferRecord>& history) {
    Json json = Json::array();
    for (const auto& record : history) json.push_back(JSONCodec<TransferRecord>::encode(record));
    return json;
}

std::optional<std::vector<TransferRecord>> JSONCodec<std::vector<TransferRecord>>::decode(const Json& json) {
    if (!json.is_array()) return std::nullopt;
    std::vector<TransferRecord> history;
    history.reserve(json.size());
    for (const Json& element : json) {
        auto record = JSONCodec<TransferRecord>::decode(element);
        if (!record) return std::nullopt;
        history.push_back(std::move(*record));
    }
    return history;
}

}  // namespace quillane
