#pragma once
#include <map>
#include <optional>
#include <string>

#include "Model/TransferJobs.h"
#include "Settings/JSONStore.h"

namespace quillane {

// The jobs that were stopped before their card was done, by the fingerprint of the card's scan:
// the same card transferred again goes back into that roll folder. Kept in the store, so a
// transfer ended by quitting (or a paused one left when the application closed) is offered
// again after a restart, as a stop is. The files are not kept: the scan of the card holds them.
using StoppedJobs = std::map<std::string, RunningJob>;

// Lenient per entry: a job that does not decode is dropped, the others stay.
template <>
struct JSONCodec<StoppedJobs> {
    static JSONCoding::Json encode(const StoppedJobs& jobs);
    static std::optional<StoppedJobs> decode(const JSONCoding::Json& json);
};

}  // namespace quillane
