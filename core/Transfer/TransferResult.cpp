#include "Transfer/TransferResult.h"

namespace quillane {

bool TransferResult::allSucceeded() const {
    if (cancelled || sourceError || destinations.empty()) return false;
    for (const DestinationResult& destination : destinations)
        if (!destination.succeeded()) return false;
    return true;
}

double TransferResult::averageRate() const {
    const double seconds = std::chrono::duration<double>(finishedAt - startedAt).count();
    if (seconds <= 0) return 0;
    return static_cast<double>(totalBytes) / seconds;
}

}  // namespace quillane
