#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "Support/JSONCoding.h"
#include "Settings/StoreLocation.h"

namespace quillane {

// How a stored type becomes JSON and back. Specialised next to each stored type;
// decode gives no value for content that does not decode.
template <typename T>
struct JSONCodec;

// The file work of JSONStore, apart from any stored type.
namespace JSONStoreFile {
// The file's bytes. No value when there is nothing to read: when the file does not exist,
// or when it exists but cannot be read; in that case it is renamed aside (see setAside),
// or, if even that fails, kept from being overwritten for the rest of the run.
std::optional<std::string> read(const std::filesystem::path& url);
// Keeps a copy of a file whose bytes did not decode beside it, as
// <name>.unreadable-<stamp>.json; when no copy can be made the file itself is renamed to
// that name, and when that fails too it is never overwritten during this run.
void setAsideUndecodable(const std::filesystem::path& url, const std::string& bytes);
// Creates the folder and replaces the file atomically; failures are swallowed.
void write(const std::filesystem::path& url, const std::string& bytes);
// The name a set-aside file gets: settings.json -> settings.unreadable-2026-03-05T14-07-09Z.json;
// attempt 2 and later add "-2", "-3" … before ".json".
std::filesystem::path unreadableName(const std::filesystem::path& url, const std::string& stamp, int attempt);
// True when this run must not write to url (its unreadable content could not be set aside).
bool isProtected(const std::filesystem::path& url);
}  // namespace JSONStoreFile

// One value kept as one JSON file in the store directory: pretty-printed, keys sorted.
// Holds no cache and no open file; copies are interchangeable. Never throws.
template <typename T>
class JSONStore {
public:
    explicit JSONStore(const std::string& fileName, std::optional<std::filesystem::path> directory = std::nullopt)
        : url_((directory ? *directory : StoreLocation::defaultDirectory()) / fileName) {}

    const std::filesystem::path& url() const { return url_; }

    // The stored value; none when nothing readable and decodable is stored.
    std::optional<T> load() const {
        try {
            const auto bytes = JSONStoreFile::read(url_);
            if (!bytes) return std::nullopt;
            std::optional<T> value;
            if (const auto json = JSONCoding::parse(*bytes)) value = JSONCodec<T>::decode(*json);
            if (!value) JSONStoreFile::setAsideUndecodable(url_, *bytes);
            return value;
        } catch (...) {
            return std::nullopt;
        }
    }

    // Writes the value whole; a failure leaves the previous file as it was.
    void save(const T& value) const {
        try {
            const std::string bytes = JSONCoding::pretty(JSONCodec<T>::encode(value));
            if (bytes.empty()) return;
            JSONStoreFile::write(url_, bytes);
        } catch (...) {
        }
    }

private:
    std::filesystem::path url_;
};

}  // namespace quillane
