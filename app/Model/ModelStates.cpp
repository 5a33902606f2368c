#include "Model/ModelStates.h"

namespace quillane::TransferStates {

std::string id(TransferState state) {
    switch (state) {
        case TransferState::idle: return "idle";
        case TransferState::running: return "running";
        case TransferState::paused: return "paused";
        case TransferState::succeeded: return "succeeded";
        case TransferState::failed: return "failed";
        case TransferState::cancelled: return "cancelled";
    }
    return "idle";
}

}  // namespace quillane::TransferStates
