#include "Transfer/TransferProgress.h"

#include "Support/EnumNames.h"

namespace quillane {

namespace {
constexpr EnumNames<TransferPhase, 5> names{{{
    {TransferPhase::preparing, "preparing", "Voorbereiden", "Preparing"},
    {TransferPhase::copying, "copying", "Kopiëren", "Copying"},
    {TransferPhase::verifying, "verifying", "Verifiëren", "Verifying"},
    {TransferPhase::finishing, "finishing", "Afronden", "Finishing"},
    {TransferPhase::done, "done", "Klaar", "Done"},
}}};
}  // namespace

std::string TransferPhases::id(TransferPhase phase) { return names.id(phase); }
std::optional<TransferPhase> TransferPhases::fromRawValue(std::string_view raw) { return names.fromRawValue(raw); }
std::string TransferPhases::displayName(TransferPhase phase) { return names.displayName(phase); }

}  // namespace quillane
