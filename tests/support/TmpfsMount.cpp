#include "support/TmpfsMount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

namespace quillane::testing {

TmpfsMount::TmpfsMount(std::size_t bytes) : owned_(std::in_place, "quillane-tmpfs"), path_(owned_->path()) {
    mount(bytes);
}

TmpfsMount::TmpfsMount(std::filesystem::path folder, std::size_t bytes) : path_(std::move(folder)) {
    std::error_code ignored;
    std::filesystem::create_directories(path_, ignored);
    mount(bytes);
}

void TmpfsMount::mount(std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
        mounted_ = true;
    else
        reason_ = std::string("cannot mount a tmpfs (needs root): ") + std::strerror(errno);
}

TmpfsMount::~TmpfsMount() {
    if (mounted_ && ::umount2(path_.c_str(), 0) != 0) ::umount2(path_.c_str(), MNT_DETACH);
}

}  // namespace quillane::testing
