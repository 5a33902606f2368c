#pragma once
#include <exception>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Support/Markup.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// Why a scan gave no result.
class SourceScanError : public std::exception {
public:
    enum class Kind { unreadable, cancelled, unlistableName };

    static SourceScanError unreadable(std::filesystem::path path);
    static SourceScanError cancelled();
    // `name`: the path below the root up to the entry whose name a manifest would not give back.
    static SourceScanError unlistableName(std::filesystem::path path, std::string name, Markup::Loss loss);

    Kind kind() const { return kind_; }
    // The folder that could not be read, or the entry whose name can't be listed.
    const std::filesystem::path& path() const { return path_; }
    // In the language current when it is read.
    std::string errorDescription() const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    SourceScanError(Kind kind, std::filesystem::path path, std::string name = {}, Markup::Loss loss = {});
    Kind kind_;
    std::filesystem::path path_;
    std::string name_;
    Markup::Loss loss_;
    std::string what_;
};

namespace SourceScanner {

// Walks the card below root once, from the attributes the walk holds (no file is opened),
// and returns the files to copy, the folders to create, totals, first-level groups and the
// fingerprint. Junk is skipped, folders included. Throws SourceScanError: unreadable for the
// root, any folder below it that cannot be read, or any entry whose attributes cannot be read
// for another reason than having vanished (a card that fails mid-walk must not look complete),
// unlistableName for a file or folder it would copy whose name no manifest can give back as it
// is on disk, cancelled when isCancelled answers true.
SourceScan scan(const std::filesystem::path& root, CopyMode mode, const std::set<std::string>& videoExtensions,
                bool includeAudio, const std::function<bool()>& isCancelled = {});

// xxHash64 over one line per file: path, tab, size, tab, modification seconds since 1970
// (truncated toward zero; 0 without a date), line feed. 16 lower-case hex digits.
std::string fingerprint(const std::vector<ScannedFile>& files);

}  // namespace SourceScanner

}  // namespace quillane
