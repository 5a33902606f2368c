#pragma once
#include <string>

namespace quillane {

// Where the current or last transfer stands, in this order.
enum class TransferState { idle, running, paused, succeeded, failed, cancelled };

// How far the scan of the selected card is; a failed scan carries its text.
struct ScanState {
    enum class Kind { failed, idle, scanning, ready };
    Kind kind = Kind::idle;
    std::string message;  // the error text of a failed scan

    static ScanState idle() { return {Kind::idle, {}}; }
    static ScanState scanning() { return {Kind::scanning, {}}; }
    static ScanState ready() { return {Kind::ready, {}}; }
    static ScanState failed(std::string text) { return {Kind::failed, std::move(text)}; }
    bool is(Kind other) const { return kind == other; }
    bool operator==(const ScanState&) const = default;
};

// How the next roll name was found.
enum class RollOrigin { counted, card, manual };

enum class DemoState { off, starting, on, stopping };

namespace TransferStates {
// The case name: "idle", "running", …
std::string id(TransferState state);
}  // namespace TransferStates

}  // namespace quillane
