#include "Transfer/TransferProgress.h"

#include "Support/Lang.h"

namespace quillane {

std::string TransferPhases::id(TransferPhase phase) {
    switch (phase) {
        case TransferPhase::preparing: return "preparing";
        case TransferPhase::copying: return "copying";
        case TransferPhase::verifying: return "verifying";
        case TransferPhase::finishing: return "finishing";
        case TransferPhase::done: return "done";
    }
    return "preparing";
}

std::optional<TransferPhase> TransferPhases::fromRawValue(std::string_view raw) {
    for (TransferPhase phase : allCases)
        if (raw == id(phase)) return phase;
    return std::nullopt;
}

std::string TransferPhases::displayName(TransferPhase phase) {
    switch (phase) {
        case TransferPhase::preparing: return L("Voorbereiden", "Preparing");
        case TransferPhase::copying: return L("Kopiëren", "Copying");
        case TransferPhase::verifying: return L("Verifiëren", "Verifying");
        case TransferPhase::finishing: return L("Afronden", "Finishing");
        case TransferPhase::done: return L("Klaar", "Done");
    }
    return {};
}

}  // namespace quillane
