#include "Support/Text.h"

#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace quillane::Text {
namespace {

constexpr char32_t replacement = 0xFFFD;

// Decodes one scalar at i (advancing i); an ill-formed sequence (as far as it looked valid)
// gives one U+FFFD.
char32_t next(std::string_view text, std::size_t& i) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::int32_t length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    std::int32_t index = static_cast<std::int32_t>(i);
    UChar32 c;
    U8_NEXT(s, index, length, c);
    i = static_cast<std::size_t>(index);
    return c < 0 ? replacement : static_cast<char32_t>(c);
}

icu::UnicodeString toUnicode(std::string_view text) {
    // fromUTF8 already maps invalid sequences to U+FFFD.
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

std::string fromUnicode(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

template <typename Pred>
std::string trim(std::string_view text, Pred isTrimmed) {
    const std::u32string scalars = decode(text);
    std::size_t begin = 0, end = scalars.size();
    while (begin < end && isTrimmed(scalars[begin])) ++begin;
    while (end > begin && isTrimmed(scalars[end - 1])) --end;
    return encode(std::u32string_view(scalars).substr(begin, end - begin));
}

}  // namespace

std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    return encode(decode(text));
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
        std::int32_t index = static_cast<std::int32_t>(i);
        UChar32 c;
        U8_NEXT(s, index, static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX)), c);
        if (c < 0) return false;
        i = static_cast<std::size_t>(index);
    }
    return true;
}

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) out.push_back(next(text, i));
    return out;
}

std::string visible(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const auto escaped = [](std::string& out, char kind, std::uint32_t value, int digits) {
        out += '\\';
        out += kind;
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += hex[(value >> shift) & 0xF];
    };
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
        std::int32_t index = static_cast<std::int32_t>(i);
        UChar32 c;
        U8_NEXT(s, index, static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX)), c);
        i = static_cast<std::size_t>(index);
        if (c < 0) {
            for (std::size_t b = start; b < i; ++b) escaped(out, 'x', s[b], 2);
        } else if (c == U'\t') {
            out += "\\t";
        } else if (c == U'\n') {
            out += "\\n";
        } else if (c == U'\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            escaped(out, 'x', static_cast<std::uint32_t>(c), 2);
        } else if ((c >= 0x80 && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF) {
            escaped(out, 'u', static_cast<std::uint32_t>(c), 4);
        } else {
            out.append(text.substr(start, i - start));
        }
    }
    return out;
}

void appendScalar(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = replacement;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string encode(std::u32string_view scalars) {
    std::string out;
    out.reserve(scalars.size());
    for (char32_t c : scalars) appendScalar(out, c);
    return out;
}

bool isHorizontalSpace(char32_t c) {
    return c == U'\t' || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

bool isControlOrFormat(char32_t c) {
    const auto type = u_charType(static_cast<UChar32>(c));
    return type == U_CONTROL_CHAR || type == U_FORMAT_CHAR;
}

bool isSpaceOrNewline(char32_t c) {
    switch (c) {
        case U'\n': case U'\v': case U'\f': case U'\r': case 0x85: case 0x2028: case 0x2029:
            return true;
        default:
            return isHorizontalSpace(c);
    }
}

std::string trimHorizontalSpace(std::string_view text) { return trim(text, isHorizontalSpace); }
std::string trimSpaceAndNewlines(std::string_view text) { return trim(text, isSpaceOrNewline); }

std::optional<std::string> trimmedOrNone(std::string_view raw) {
    std::string text = trimSpaceAndNewlines(raw);  // decoding already replaces invalid UTF-8
    if (text.empty()) return std::nullopt;
    return text;
}

std::string lowercased(std::string_view text) {
    icu::UnicodeString u = toUnicode(text);
    u.toLower(icu::Locale::getRoot());
    return fromUnicode(u);
}

std::string uppercased(std::string_view text) {
    icu::UnicodeString u = toUnicode(text);
    u.toUpper(icu::Locale::getRoot());
    return fromUnicode(u);
}

std::string asciiLowercased(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string asciiUppercased(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

int caseInsensitiveCompare(std::string_view a, std::string_view b) {
    const int r = toUnicode(a).caseCompare(toUnicode(b), U_FOLD_CASE_DEFAULT);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool caseInsensitiveEqual(std::string_view a, std::string_view b) { return caseInsensitiveCompare(a, b) == 0; }

bool containsCaseInsensitive(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return true;
    icu::UnicodeString h = toUnicode(haystack);
    icu::UnicodeString n = toUnicode(needle);
    h.foldCase(U_FOLD_CASE_DEFAULT);
    n.foldCase(U_FOLD_CASE_DEFAULT);
    return h.indexOf(n) >= 0;
}

namespace {
// A collator is not safe for concurrent use; each thread gets its own clone.
icu::Collator* threadCollator() {
    static const std::unique_ptr<icu::Collator> prototype = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !c) return std::unique_ptr<icu::Collator>();
        c->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        c->setAttribute(UCOL_STRENGTH, UCOL_TERTIARY, status);
        return c;
    }();
    thread_local std::unique_ptr<icu::Collator> local(prototype ? prototype->clone() : nullptr);
    return local.get();
}
}  // namespace

int naturalCompare(std::string_view a, std::string_view b) {
    if (icu::Collator* collator = threadCollator()) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r = collator->compareUTF8(
            icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())),
            icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
        if (U_SUCCESS(status) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    }
    // Tie-break (and fallback) by code points: UTF-8 byte order is code-point order.
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += separator;
        text += parts[i];
    }
    return text;
}

std::string extension(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return std::string(fileName.substr(dot + 1));
}

}  // namespace quillane::Text
