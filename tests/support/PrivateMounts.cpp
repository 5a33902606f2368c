#include "support/PrivateMounts.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace quillane::testing {

namespace {

std::optional<std::string>& firstAnswer() {
    static std::optional<std::string> answer;
    return answer;
}

// /proc/self/mountinfo escapes blanks and backslashes in paths as octal.
std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool under(const std::string& path, const std::string& folder) {
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

// The mount points to hide, newest first.
std::vector<std::string> machineVolumes() {
    std::vector<std::string> found;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        fields >> id >> parent >> device >> root >> mountPoint;
        std::string word;
        while (fields >> word && word != "-") {}
        std::string type, source;
        fields >> type >> source;
        mountPoint = unescaped(mountPoint);
        if (source.rfind("/dev/loop", 0) == 0 || under(mountPoint, "/media") || under(mountPoint, "/run/media"))
            found.insert(found.begin(), mountPoint);
    }
    return found;
}

std::string failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

namespace {
// The steps of entering the namespace; the reason it failed, or nothing.
std::optional<std::string> enterOrWhyNot() {
    if (::geteuid() != 0) return std::string("a private mount namespace needs root");
    if (::unshare(CLONE_NEWNS) != 0) return failed("unshare(CLONE_NEWNS) failed");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return failed("making / private failed");
    for (const std::string& mountPoint : machineVolumes()) ::umount2(mountPoint.c_str(), MNT_DETACH);
    ::mkdir("/media", 0755);
    if (::mount("quillane-media", "/media", "tmpfs", 0, "size=1m,mode=755") != 0)
        return failed("mounting a tmpfs on /media failed");
    return std::nullopt;
}
}  // namespace

std::optional<std::string> enterPrivateMountNamespace() {
    auto& answer = firstAnswer();
    answer = enterOrWhyNot();
    return answer;
}

const std::optional<std::string>& privateMountNamespaceUnavailable() { return firstAnswer(); }

}  // namespace quillane::testing
