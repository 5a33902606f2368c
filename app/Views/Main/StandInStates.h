#pragma once
// Transfer and demo states until the application model declares them.

namespace quillane {
enum class TransferState { idle, running, paused, succeeded, failed, cancelled };
enum class DemoState { off, starting, on, stopping };
}  // namespace quillane
