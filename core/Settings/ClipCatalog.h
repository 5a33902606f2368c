#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Settings/JSONStore.h"
#include "Settings/TransferRecord.h"
#include "Support/UUID.h"

namespace quillane {

struct ScannedFile;

// One copied file of a transfer.
struct CatalogFile {
    std::string path;  // relative to the card's root, "/" between folders
    std::int64_t size = 0;
    std::optional<std::string> hash;  // lower-case hexadecimal, none when the transfer produced none
    friend bool operator==(const CatalogFile&, const CatalogFile&) = default;
};

// The content of one catalog file: every file one transfer copied.
struct CatalogEntry {
    UUID recordID;
    std::vector<CatalogFile> files;
    friend bool operator==(const CatalogEntry&, const CatalogEntry&) = default;
};

// One search result: the file and a copy of the record of the transfer that copied it.
struct ClipHit {
    TransferRecord record;
    CatalogFile file;

    // Record id text followed by the path; tells the hits of one search apart.
    std::string id() const;
    // The last component of the path.
    std::string fileName() const;
};

// Finds on which drives a clip lies by part of its name, long after its card was erased:
// one small JSON file per transfer in the store's "catalog" folder, all read on the first
// search and kept in memory from then on.
class ClipCatalog {
public:
    // The catalog folder is storeDirectory/"catalog" (the default store directory when none
    // is given). Touches nothing on disk.
    explicit ClipCatalog(std::optional<std::filesystem::path> storeDirectory = std::nullopt);
    ClipCatalog(const ClipCatalog&) = delete;
    ClipCatalog& operator=(const ClipCatalog&) = delete;

    const std::filesystem::path& directory() const { return directory_; }

    // Writes the transfer's file list (checksums by position; missing ones stay absent) as
    // <recordID>.json and adds it to the index when that is loaded. Write failures are
    // swallowed: the entry is still found until the program ends.
    void add(const UUID& recordID, const std::vector<ScannedFile>& files,
             const std::vector<std::optional<std::string>>& hashes);

    // The files whose path contains the query (trimmed of horizontal space, compared in
    // lower case), transfer by transfer in the order of records, at most limit. A query of
    // fewer than two characters finds nothing and reads nothing.
    std::vector<ClipHit> search(std::string_view query, const std::vector<TransferRecord>& records,
                                std::size_t limit) const;
    // Whether search looks at a query at all: two or more characters once trimmed.
    static bool isSearchable(std::string_view query);

    // An entry with its paths in lower case, as the search compares them.
    struct Indexed {
        CatalogEntry entry;
        std::vector<std::string> loweredPaths;
    };

private:
    using Index = std::unordered_map<UUID, std::shared_ptr<const Indexed>>;
    // Loads the index on first use. Called with lock_ held.
    const Index& loadAll() const;
    void store(CatalogEntry entry);

    std::filesystem::path directory_;
    mutable std::mutex lock_;
    mutable std::optional<Index> entries_;
};

}  // namespace quillane
