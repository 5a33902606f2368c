#pragma once
#include <optional>
#include <string>

namespace quillane::testing {

// Moves this process into a mount namespace of its own, with every mount private, so that what
// it (and each program it starts) mounts or unmounts is seen nowhere else. Then hides the
// machine's removable volumes from it: every loop-device mount and every mount under /media and
// /run/media is detached (in this namespace only) and /media becomes an empty tmpfs, so the
// application finds only the volumes the test mounts there. Call it first in main(), before any
// thread starts: a namespace belongs to the thread that enters it and to what it starts later.
// Answers why it could not, or nothing when it did.
std::optional<std::string> enterPrivateMountNamespace();

// The answer of the first call, for tests that need the namespace (nothing when it was entered,
// or when no call was made).
const std::optional<std::string>& privateMountNamespaceUnavailable();

}  // namespace quillane::testing
