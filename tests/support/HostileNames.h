#pragma once
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Template/FolderTemplate.h"

namespace quillane::testing {

// Names, numbers, tag values and templates as a hostile card, user or settings file might hold
// them: separators, dot runs, control and format characters, invalid UTF-8, tags, 300-character runs.
std::string hostileName(std::mt19937& rng);
std::int64_t hostileNumber(std::mt19937& rng);
TemplateContext hostileContext(std::mt19937& rng);
FolderTemplate hostileTemplate(std::mt19937& rng);

// Checks one resolved folder path lexically (every level a plain name, the whole inside base) and,
// when asked, by creating it. Returns false only when creating failed because a name was too long.
bool landsInside(const std::filesystem::path& base, const std::vector<std::string>& levels, bool create = true);

}  // namespace quillane::testing
