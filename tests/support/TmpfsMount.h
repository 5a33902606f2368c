#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace quillane::testing {

// A size-limited tmpfs mounted on a fresh folder: a real volume that really fills up.
// Mounting needs root; when it fails, mounted() is false and reason() says why (tests skip).
class TmpfsMount {
public:
    explicit TmpfsMount(std::size_t bytes);
    // Mounted on the given folder (created when missing), which is left in place afterwards.
    TmpfsMount(std::filesystem::path folder, std::size_t bytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

private:
    void mount(std::size_t bytes);

    std::optional<TempDir> owned_;
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace quillane::testing
