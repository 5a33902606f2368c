#pragma once

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace quillane::ThreadHandOver {

// A hand-over between threads through a queue inside Qt, which ThreadSanitizer cannot see into
// (Qt is not instrumented and guards its queues with futexes): what the sending thread did
// before send(item) happens before what the receiving thread does after receive(item). The item
// is the handed-over object, made in our own code; the receiver calls receive before it reads
// any of it. Nothing in other builds.
#if defined(__SANITIZE_THREAD__)
inline void send(const void* item) { __tsan_release(const_cast<void*>(item)); }
inline void receive(const void* item) { __tsan_acquire(const_cast<void*>(item)); }
#else
inline void send(const void*) {}
inline void receive(const void*) {}
#endif

}  // namespace quillane::ThreadHandOver
