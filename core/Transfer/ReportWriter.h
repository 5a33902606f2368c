#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Transfer/ClipInfo.h"
#include "Transfer/ReportInfo.h"
#include "Transfer/SourceScan.h"
#include "Transfer/TransferResult.h"

namespace quillane {

// The one-page HTML report beside the footage on every destination.
namespace ReportWriter {

using Clips = std::map<std::string, ClipInfo>;  // keyed by ScannedFile::relativePath

// The whole page in the current language. thisDestination is the id of the destination
// whose roll folder receives this copy. Never fails.
std::string render(const Info& info, const std::vector<ScannedFile>& files,
                   const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                   int thisDestination, const Clips& clips = {});

// The report's file name in a roll folder: "<sanitized roll>_report.html", unless the card
// itself brought a file of that name along, which is never replaced; then the first of
// "<roll>-2_report.html", "<roll>-3_report.html", … that no copied file has.
std::string fileName(const Info& info, const std::vector<ScannedFile>& files);

// Renders and writes the page atomically into folder under fileName(), replacing an earlier
// report of ours only when this run fully succeeded (otherwise it takes the next name that is
// neither copied nor present); returns its path. Throws FileError.
std::filesystem::path write(const std::filesystem::path& folder, const Info& info,
                            const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                            int thisDestination, const Clips& clips = {});

// Renders the page again and writes it atomically in place of a report this run wrote (to add
// clip facts), whatever name that report took; returns report.
// Throws FileError.
std::filesystem::path rewrite(const std::filesystem::path& report, const Info& info,
                              const std::vector<ScannedFile>& files,
                              const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                              int thisDestination, const Clips& clips);

}  // namespace ReportWriter
}  // namespace quillane
