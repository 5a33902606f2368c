#include "support/TmpfsMount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

namespace quillane::testing {

TmpfsMount::TmpfsMount(std::size_t bytes) : folder_("quillane-tmpfs") {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
        mounted_ = true;
    else
        reason_ = std::string("cannot mount a tmpfs (needs root): ") + std::strerror(errno);
}

TmpfsMount::~TmpfsMount() {
    if (mounted_ && ::umount2(folder_.path().c_str(), 0) != 0) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

}  // namespace quillane::testing
