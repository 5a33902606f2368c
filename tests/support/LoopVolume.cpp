#include "support/LoopVolume.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quillane::testing {
namespace {

namespace fs = std::filesystem;

bool onPath(const std::string& program) {
    for (const char* folder : {"/usr/sbin", "/sbin", "/usr/bin", "/bin", "/usr/local/sbin", "/usr/local/bin"})
        if (::access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
    return false;
}

void require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

}  // namespace

int runCommand(const std::vector<std::string>& arguments, std::string* output) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    // A daemon (exfat-fuse) may keep the pipe open: read only until the command itself ends.
    std::string text;
    char buffer[4096];
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    int status = 0;
    for (;;) {
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    if (output != nullptr) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<std::string> LoopVolume::unavailable(Kind kind) {
    if (::geteuid() != 0) return "needs root to attach and mount loop devices";
    if (::access("/dev/loop-control", F_OK) != 0) return "no loop device support (/dev/loop-control is missing)";
    for (const char* tool : {"losetup", "mount", "umount"})
        if (!onPath(tool)) return std::string("the tool ") + tool + " is missing";
    if (kind == Kind::ext4 && !onPath("mkfs.ext4")) return "mkfs.ext4 is missing (e2fsprogs)";
    if (kind == Kind::exfat) {
        if (!onPath("mkfs.exfat") || !onPath("tune.exfat")) return "mkfs.exfat is missing (exfatprogs)";
        if (!onPath("mount.exfat-fuse")) return "mount.exfat-fuse is missing (exfat-fuse)";
        if (::access("/dev/fuse", R_OK | W_OK) != 0) return "no FUSE device (/dev/fuse)";
    }
    return std::nullopt;
}

LoopVolume::LoopVolume(fs::path image, fs::path mountPoint, Options options)
    : image_(std::move(image)), mountPoint_(std::move(mountPoint)), options_(std::move(options)) {
    {
        const int fd = ::open(image_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        require(fd >= 0 && ::ftruncate(fd, static_cast<off_t>(options_.sizeBytes)) == 0, "cannot create " + image_.string());
        ::close(fd);
    }
    if (options_.kind == Kind::ext4) {
        std::vector<std::string> mkfs = {"mkfs.ext4", "-q", "-F", "-E", "lazy_itable_init=0,lazy_journal_init=0"};
        if (!options_.label.empty()) mkfs.insert(mkfs.end(), {"-L", options_.label});
        if (!options_.uuid.empty()) mkfs.insert(mkfs.end(), {"-U", options_.uuid});
        mkfs.push_back(image_.string());
        require(runCommand(mkfs) == 0, "mkfs.ext4 failed");
    } else {
        std::vector<std::string> mkfs = {"mkfs.exfat"};
        if (!options_.label.empty()) mkfs.insert(mkfs.end(), {"-L", options_.label});
        mkfs.push_back(image_.string());
        require(runCommand(mkfs) == 0, "mkfs.exfat failed");
        if (!options_.uuid.empty()) require(runCommand({"tune.exfat", "-I", "0x" + options_.uuid, image_.string()}) == 0, "tune.exfat failed");
    }
    attachAndMount();
}

LoopVolume LoopVolume::cloneOf(const LoopVolume& original, fs::path image, fs::path mountPoint) {
    fs::copy_file(original.image_, image, fs::copy_options::overwrite_existing);
    LoopVolume clone;
    clone.image_ = std::move(image);
    clone.mountPoint_ = std::move(mountPoint);
    clone.options_ = original.options_;
    clone.attachAndMount();
    return clone;
}

void LoopVolume::attachAndMount() {
    std::string attached;
    std::vector<std::string> losetup = {"losetup", "--find", "--show"};
    if (options_.readOnly) losetup.push_back("--read-only");
    losetup.push_back(image_.string());
    require(runCommand(losetup, &attached) == 0, "losetup failed for " + image_.string());
    while (!attached.empty() && (attached.back() == '\n' || attached.back() == ' ')) attached.pop_back();
    require(attached.rfind("/dev/loop", 0) == 0, "losetup gave no device");
    device_ = attached;
    try {
        mountAt(mountPoint_);
    } catch (...) {
        release();
        throw;
    }
}

void LoopVolume::mountAt(const fs::path& folder) {
    fs::create_directories(folder);
    std::vector<std::string> command;
    if (options_.kind == Kind::ext4)
        command = {"mount", "-t", "ext4", "-o", options_.readOnly ? "ro" : "rw", device_, folder.string()};
    else
        command = {"mount.exfat-fuse", "-o", options_.readOnly ? "ro" : "rw", device_, folder.string()};
    require(runCommand(command) == 0, "mounting " + device_ + " at " + folder.string() + " failed");
    mounts_.push_back(folder);
}

std::optional<int> LoopVolume::fuseDaemon() const {
    if (options_.kind != Kind::exfat || mounts_.empty()) return std::nullopt;
    const std::string expected = '\0' + device_ + '\0' + mounts_.front().string() + '\0';
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(it->path() / "cmdline", std::ios::binary);
        const std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (cmdline.rfind("mount.exfat-fuse", 0) == 0 && cmdline.find(expected) != std::string::npos)
            return std::stoi(name);
    }
    return std::nullopt;
}

void LoopVolume::mount() { mountAt(mountPoint_); }

void LoopVolume::mountAlsoAt(const fs::path& folder) { mountAt(folder); }

void LoopVolume::moveTo(fs::path mountPoint) {
    unmount();
    mountPoint_ = std::move(mountPoint);
    // exfat-fuse may still hold the device for a moment after its unmount.
    for (int attempt = 0;; ++attempt) {
        try {
            mount();
            return;
        } catch (const std::runtime_error&) {
            if (attempt == 50) throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void LoopVolume::unmount() {
    // Newest first: a second mount may sit inside the first.
    while (!mounts_.empty()) {
        const std::string folder = mounts_.back().string();
        if (runCommand({"umount", folder}) != 0) {
            // Something still holds it: detach it from the tree now, the kernel finishes later.
            runCommand({"umount", "-l", folder});
        }
        mounts_.pop_back();
    }
}

void LoopVolume::release() noexcept {
    try {
        unmount();
        if (!device_.empty()) {
            // exfat-fuse may still hold the device for a moment after its unmount.
            for (int attempt = 0; attempt < 50 && runCommand({"losetup", "-d", device_}) != 0; ++attempt)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            device_.clear();
        }
    } catch (...) {
    }
}

LoopVolume::LoopVolume(LoopVolume&& other) noexcept
    : image_(std::move(other.image_)),
      mountPoint_(std::move(other.mountPoint_)),
      options_(std::move(other.options_)),
      device_(std::move(other.device_)),
      mounts_(std::move(other.mounts_)) {
    other.device_.clear();
    other.mounts_.clear();
}

LoopVolume::~LoopVolume() { release(); }

}  // namespace quillane::testing
