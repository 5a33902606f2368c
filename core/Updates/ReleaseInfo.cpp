#include "Updates/ReleaseInfo.h"

#include "Support/Lang.h"

namespace quillane {

std::optional<std::string> ReleaseInfo::localizedNotes() const {
    const bool english = Lang::current.load() == AppLanguage::en;
    const auto& preferred = english ? notes : notesNL;
    const auto& other = english ? notesNL : notes;
    const auto& chosen = preferred ? preferred : other;
    if (!chosen || chosen->empty()) return std::nullopt;
    return chosen;
}

}  // namespace quillane
