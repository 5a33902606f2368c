#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace quillane::testing {

// A size-limited tmpfs mounted on a fresh folder: a real volume that really fills up.
// Mounting needs root; when it fails, mounted() is false and reason() says why (tests skip).
class TmpfsMount {
public:
    explicit TmpfsMount(std::size_t bytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return folder_ / relative; }

private:
    TempDir folder_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace quillane::testing
