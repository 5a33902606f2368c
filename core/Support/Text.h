#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers for everything that compares, cleans or classifies names.
// All text is UTF-8; invalid bytes are read as U+FFFD and never passed on.
namespace quillane::Text {

// --- UTF-8 -------------------------------------------------------------------
// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);
bool isValidUtf8(std::string_view text);
// Unicode scalars of the text (invalid sequences become U+FFFD).
std::u32string decode(std::string_view text);
std::string encode(std::u32string_view scalars);
void appendScalar(std::string& out, char32_t scalar);
// The text as a person can read it back exactly: each byte of an invalid sequence as \xNN, tab,
// line feed and carriage return as \t, \n and \r, other C0 controls and DEL as \xNN, C1
// controls and U+FFFE/U+FFFF as \uNNNN (hex in capitals). Everything else stays as it is.
std::string visible(std::string_view text);

// --- character classes ------------------------------------------------------
// Horizontal white space: Unicode category Zs and the tab. Line breaks are not white space here.
bool isHorizontalSpace(char32_t c);
// Unicode categories Cc and Cf (tab and line breaks included).
bool isControlOrFormat(char32_t c);
// Horizontal space or a line break (LF, VT, FF, CR, NEL, LS, PS).
bool isSpaceOrNewline(char32_t c);

// --- trimming ---------------------------------------------------------------
// Removes horizontal white space (Zs and tab) at both ends; line breaks stay.
std::string trimHorizontalSpace(std::string_view text);
// Removes white space and line breaks at both ends.
std::string trimSpaceAndNewlines(std::string_view text);
// A text read from a device or the system: valid UTF-8, trimmed of white space and line breaks;
// none when nothing is left.
std::optional<std::string> trimmedOrNone(std::string_view raw);

// --- case -------------------------------------------------------------------
// Full Unicode case mapping, locale independent.
std::string lowercased(std::string_view text);
std::string uppercased(std::string_view text);
// Only A–Z / a–z change; for extensions and fixed ASCII keys.
std::string asciiLowercased(std::string_view text);
std::string asciiUppercased(std::string_view text);
// Compares by Unicode case folding.
bool caseInsensitiveEqual(std::string_view a, std::string_view b);
int caseInsensitiveCompare(std::string_view a, std::string_view b);
// True when needle occurs in haystack, compared by case folding. An empty needle is found.
bool containsCaseInsensitive(std::string_view haystack, std::string_view needle);

// --- ordering ---------------------------------------------------------------
// The one natural order for names, as a file browser sorts them: root collation with numeric
// ordering ("A2" before "A10"); texts the collator sees as equal are ordered by code points,
// so only identical texts compare equal ("a01" and "a1" do not).
int naturalCompare(std::string_view a, std::string_view b);
inline bool naturalLess(std::string_view a, std::string_view b) { return naturalCompare(a, b) < 0; }
struct NaturalLess {
    bool operator()(std::string_view a, std::string_view b) const { return naturalCompare(a, b) < 0; }
};

// --- lists --------------------------------------------------------------------
// The parts in order with the separator between each two.
std::string joined(const std::vector<std::string>& parts, std::string_view separator);

// --- paths --------------------------------------------------------------------
// The part after the last dot of a file name, without the dot; empty when there is none
// or the only dot leads the name (".hidden").
std::string extension(std::string_view fileName);

}  // namespace quillane::Text
