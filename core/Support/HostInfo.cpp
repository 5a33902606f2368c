#include "Support/HostInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace quillane::HostInfo {
namespace {

struct Account {
    std::string login;
    std::string gecos;
};

std::optional<Account> currentAccount() {
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::size_t size = suggested > 0 ? static_cast<std::size_t>(suggested) : 4096;
    for (int attempt = 0; attempt < 8; ++attempt, size *= 2) {
        std::vector<char> buffer(size);
        struct passwd entry {};
        struct passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE) continue;
        if (error != 0 || found == nullptr) return std::nullopt;
        return Account{found->pw_name ? found->pw_name : "", found->pw_gecos ? found->pw_gecos : ""};
    }
    return std::nullopt;
}

}  // namespace

std::string hostName() {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer) != 0) return "unknown";
    buffer[sizeof buffer - 1] = '\0';  // a truncated name need not be terminated
    return buffer;
}

std::string fullUserName() {
    const auto account = currentAccount();
    if (!account) return "unknown";
    const std::string full = account->gecos.substr(0, account->gecos.find(','));
    if (!full.empty()) return full;
    return account->login.empty() ? "unknown" : account->login;
}

std::string shortUserName() {
    const auto account = currentAccount();
    if (!account || account->login.empty()) return "unknown";
    return account->login;
}

}  // namespace quillane::HostInfo
