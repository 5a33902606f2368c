#include "Support/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <mutex>
#include <random>

namespace quillane::SecureRandom {

void fill(std::uint8_t* out, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::getrandom(out + done, size - done, 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            break;
        }
    }
    if (done == size) return;
    static std::mutex lock;
    static std::mt19937_64 generator{std::random_device{}()};
    std::lock_guard guard(lock);
    for (; done < size; ++done) out[done] = static_cast<std::uint8_t>(generator());
}

}  // namespace quillane::SecureRandom
