#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quillane::testing {

// Runs a program (no shell) and waits for it; returns its exit status, or -1 when it could not
// run. Its standard output is stored when `output` is given; standard error is discarded.
int runCommand(const std::vector<std::string>& arguments, std::string* output = nullptr);

// A real file system in an image file, attached to a loop device and mounted: ext4 through the
// kernel (an "SSD"), exFAT through exfat-fuse (a "card"). Needs root, a loop device and the
// tools (mkfs.ext4, mkfs.exfat, mount.exfat-fuse). Unmounts and detaches itself, even when a
// test fails half-way.
class LoopVolume {
public:
    enum class Kind { ext4, exfat };
    struct Options {
        Kind kind = Kind::ext4;
        std::string label;              // empty: no label
        std::string uuid;               // ext4: a UUID; exFAT: a serial such as "1234ABCD"; empty: random
        std::uint64_t sizeBytes = 48ull << 20;
        bool readOnly = false;
    };

    // Why such volumes cannot be made here, or nothing when they can.
    static std::optional<std::string> unavailable(Kind kind);

    // Creates the image at `image`, attaches and mounts it at `mountPoint` (created). Throws
    // std::runtime_error when a step fails, after undoing the steps before it.
    LoopVolume(std::filesystem::path image, std::filesystem::path mountPoint, Options options);
    // Attaches a copy of another volume's image (same UUID and label): a cloned card.
    static LoopVolume cloneOf(const LoopVolume& original, std::filesystem::path image, std::filesystem::path mountPoint);
    ~LoopVolume();
    LoopVolume(LoopVolume&& other) noexcept;
    LoopVolume(const LoopVolume&) = delete;
    LoopVolume& operator=(const LoopVolume&) = delete;
    LoopVolume& operator=(LoopVolume&&) = delete;

    const std::filesystem::path& mountPoint() const { return mountPoint_; }
    const std::string& device() const { return device_; }  // "/dev/loop3"
    bool isMounted() const { return !mounts_.empty(); }

    // The exfat-fuse process serving this volume's first mount (an exFAT volume only).
    std::optional<int> fuseDaemon() const;

    void unmount();  // every mount of this volume
    void mount();    // at mountPoint() again
    // Mounts the same device a second time at another folder.
    void mountAlsoAt(const std::filesystem::path& folder);
    // Unmounts it and mounts it at another folder, which becomes mountPoint(): a volume filled
    // out of sight, then plugged in where the application looks.
    void moveTo(std::filesystem::path mountPoint);

private:
    LoopVolume() = default;
    void attachAndMount();
    void mountAt(const std::filesystem::path& folder);
    void release() noexcept;

    std::filesystem::path image_;
    std::filesystem::path mountPoint_;
    Options options_;
    std::string device_;
    std::vector<std::filesystem::path> mounts_;
};

}  // namespace quillane::testing
