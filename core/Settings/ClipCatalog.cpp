#include "Settings/ClipCatalog.h"

#include <unicode/brkiter.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <functional>

#include "Settings/CatalogEntryCoding.h"
#include "Support/AtomicFile.h"
#include "Support/FileIO.h"
#include "Support/Folders.h"
#include "Support/Text.h"
#include "Transfer/SourceScan.h"

namespace quillane {

namespace {

bool isASCII(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string lowered(std::string_view text) {
    return isASCII(text) ? Text::asciiLowercased(text) : Text::lowercased(text);
}

// User-perceived characters, counted up to limit.
std::size_t characterCount(std::string_view text, std::size_t limit) {
    // In plain ASCII every byte is one character, except a CR LF pair, which is one.
    if (isASCII(text) && text.find("\r\n") == std::string_view::npos) return std::min(text.size(), limit);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    const icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    if (U_FAILURE(status) || !breaks) return std::min(static_cast<std::size_t>(unicode.countChar32()), limit);
    breaks->setText(unicode);
    std::size_t count = 0;
    for (int32_t at = breaks->next(); at != icu::BreakIterator::DONE && count < limit; at = breaks->next()) ++count;
    return count;
}

std::shared_ptr<const ClipCatalog::Indexed> indexed(CatalogEntry entry) {
    auto item = std::make_shared<ClipCatalog::Indexed>();
    item->loweredPaths.reserve(entry.files.size());
    for (const auto& file : entry.files) item->loweredPaths.push_back(lowered(file.path));
    item->entry = std::move(entry);
    return item;
}

}  // namespace

std::string ClipHit::id() const { return record.id.text() + file.path; }

std::string ClipHit::fileName() const {
    std::string_view path = file.path;
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) return std::string(path);
    return std::string(path.substr(slash + 1));
}

ClipCatalog::ClipCatalog(std::optional<std::filesystem::path> storeDirectory)
    : directory_((storeDirectory ? *storeDirectory : StoreLocation::defaultDirectory()) / "catalog") {}

void ClipCatalog::store(CatalogEntry entry) {
    try {
        const std::string bytes = CatalogEntryCoding::encode(entry);
        if (!bytes.empty()) {
            Folders::createAll(directory_, StoreLocation::folderMode);
            AtomicFile::write(directory_ / (entry.recordID.text() + ".json"), bytes, StoreLocation::fileMode);
        }
    } catch (...) {
        // The entry still reaches the index below.
    }
    auto item = indexed(std::move(entry));
    std::lock_guard guard(lock_);
    if (entries_) (*entries_)[item->entry.recordID] = std::move(item);
}

void ClipCatalog::add(const UUID& recordID, const std::vector<ScannedFile>& files,
                      const std::vector<std::optional<std::string>>& hashes) {
    CatalogEntry entry;
    entry.recordID = recordID;
    entry.files.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        entry.files.push_back(CatalogFile{files[i].relativePath, files[i].size,
                                          i < hashes.size() ? hashes[i] : std::nullopt});
    store(std::move(entry));
}

const ClipCatalog::Index& ClipCatalog::loadAll() const {
    if (entries_) return *entries_;
    // Every ".json" child, in the order the folder lists them; an unlistable folder is empty.
    std::vector<std::filesystem::path> files;
    std::error_code code;
    std::filesystem::directory_iterator it(directory_, code);
    for (; !code && it != std::filesystem::directory_iterator(); it.increment(code)) {
        // A pipe or device named like a catalog file would block the search or never end.
        std::error_code typeCode;
        if (Text::extension(it->path().filename().string()) == "json" && it->is_regular_file(typeCode))
            files.push_back(it->path());
    }

    // Read and decode on a few threads; each file is handled by exactly one of them.
    std::vector<std::shared_ptr<const Indexed>> decoded(files.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            try {
                if (auto entry = CatalogEntryCoding::decode(FileOps::readFile(files[i])))
                    decoded[i] = indexed(std::move(*entry));
            } catch (...) {
                // Unreadable files are skipped and left where they are.
            }
        }
    };
    const std::size_t helpers =
        std::min<std::size_t>({std::max(1u, std::thread::hardware_concurrency()) - 1, 7, files.size() / 8});
    std::vector<std::thread> threads;
    try {
        for (std::size_t t = 0; t < helpers; ++t) threads.emplace_back(work);
    } catch (...) {
        // No more threads: the ones started and this one do the rest.
    }
    work();
    for (auto& thread : threads) thread.join();

    // Keyed by the id inside the file; a later-listed file with the same id wins.
    Index index;
    for (auto& item : decoded)
        if (item) index[item->entry.recordID] = std::move(item);
    entries_ = std::move(index);
    return *entries_;
}

bool ClipCatalog::isSearchable(std::string_view query) {
    return characterCount(Text::trimHorizontalSpace(query), 2) >= 2;
}

std::vector<ClipHit> ClipCatalog::search(std::string_view query, const std::vector<TransferRecord>& records,
                                         std::size_t limit) const {
    std::vector<ClipHit> hits;
    if (limit == 0 || !isSearchable(query)) return hits;
    const std::string needle = lowered(Text::trimHorizontalSpace(query));

    Index snapshot;
    try {
        std::lock_guard guard(lock_);
        snapshot = loadAll();
    } catch (...) {
        return hits;
    }
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    for (const auto& record : records) {
        const auto it = snapshot.find(record.id);
        if (it == snapshot.end()) continue;
        const Indexed& item = *it->second;
        for (std::size_t i = 0; i < item.loweredPaths.size(); ++i) {
            const std::string& path = item.loweredPaths[i];
            if (path.size() < needle.size() || std::search(path.begin(), path.end(), searcher) == path.end()) continue;
            hits.push_back(ClipHit{record, item.entry.files[i]});
            if (hits.size() >= limit) return hits;
        }
    }
    return hits;
}

}  // namespace quillane
