#include "Transfer/TransferResult.h"

namespace quillane {

bool TransferResult::gotCompleteCopy(std::size_t destination) const {
    return !cancelled && !paused && !sourceError && destination < destinations.size() &&
           destinations[destination].succeeded();
}

bool TransferResult::allSucceeded() const {
    if (destinations.empty()) return false;
    for (std::size_t d = 0; d < destinations.size(); ++d)
        if (!gotCompleteCopy(d)) return false;
    return true;
}

double TransferResult::averageRate() const {
    const double seconds = std::chrono::duration<double>(finishedAt - startedAt).count();
    if (seconds <= 0) return 0;
    return static_cast<double>(totalBytes) / seconds;
}

}  // namespace quillane
