#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "Settings/ClipCatalog.h"

// The form of one catalog file: a compact object with "recordID" (UUID text) and "files"
// (objects with "path", "size" and "hash", the last left out when there is none).
namespace quillane::CatalogEntryCoding {
// Empty only when the entry cannot be encoded.
std::string encode(const CatalogEntry& entry);
// Decodes straight from the text, without building a document first; keys it does not know
// are ignored, a missing or mistyped required value gives no value. Never throws.
std::optional<CatalogEntry> decode(std::string_view text);
}  // namespace quillane::CatalogEntryCoding
