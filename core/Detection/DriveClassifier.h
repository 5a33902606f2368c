#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>

#include "Detection/ContentProbe.h"
#include "Detection/DriveClassification.h"
#include "Detection/DriveInfo.h"
#include "Detection/DriveRole.h"

namespace quillane {

// What the user told the system before, built afresh for each classification.
struct ClassifierContext {
    // Roles the user gave volumes, keyed by volume UUID.
    std::map<std::string, DriveRole> learnedRoles;
    // The current project; absent or empty disables the project-folder clue.
    std::optional<std::string> projectName;
    // The folder template's fixed folder names, upper-cased.
    std::set<std::string> templateFolders;
};

// Decides whether a volume is a card to copy from, an SSD to copy onto, or neither, by weighing
// clues from its facts and its content probe. Pure; reasons come in the current language.
namespace DriveClassifier {
DriveClassification classify(const DriveInfo& info, const ContentProbe* probe, const ClassifierContext& context);
}  // namespace DriveClassifier

}  // namespace quillane
