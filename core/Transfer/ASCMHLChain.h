#pragma once
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

// The chain file of an "ascmhl" folder: reading it, telling a damaged one, and adding an entry.
namespace quillane::ASCMHLChain {

struct Current {
    std::string text;      // what could be read (empty when missing or unreadable)
    bool exists = false;   // a file stands at the chain's path
    bool damaged = false;  // it exists but can't be read, isn't UTF-8 or lacks its closing tag
};

Current read(const std::filesystem::path& chainFile);

// The chain text with one more entry: appended before the closing tag of a sound chain,
// or a fresh chain holding only this entry otherwise.
std::string withEntry(const Current& current, long long sequenceNumber, std::string_view manifestName,
                      std::string_view c4);

// Moves a damaged chain out of the way under a name that ends in neither ".xml" nor ".mhl"
// ("ascmhl_chain.damaged-2025-03-14_092653Z"), never replacing anything. Throws FileError.
std::filesystem::path setAside(const std::filesystem::path& chainFile, std::chrono::system_clock::time_point when);

// "yyyy-MM-dd_HHmmss" of the time in UTC.
std::string utcStamp(std::chrono::system_clock::time_point time);

}  // namespace quillane::ASCMHLChain
