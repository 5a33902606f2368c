#pragma once
#include <string>

// Who and where: the machine and the logged-in user, as the manifests record them.
namespace quillane::HostInfo {
// The machine's host name; "unknown" when the system cannot tell.
std::string hostName();
// The user's full name: the GECOS field of the password entry up to its first comma, or the
// login name when that is empty; "unknown" when there is no entry at all.
std::string fullUserName();
// The login name; "unknown" when there is no password entry.
std::string shortUserName();
}  // namespace quillane::HostInfo
