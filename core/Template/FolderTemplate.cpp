#include "Template/FolderTemplate.h"

#include "Support/Text.h"

namespace quillane {

std::string FolderTemplate::sanitize(std::string_view text) {
    std::u32string scalars = Text::decode(text);
    for (char32_t& c : scalars) {
        switch (c) {
            case U'/': case U'\\': case U':': case U'*': case U'?': case U'"': case U'<': case U'>': case U'|':
                c = U'-';
                break;
            default:
                if (Text::isControlOrFormat(c)) c = U'-';
        }
    }
    std::size_t begin = 0, end = scalars.size();
    while (begin < end && Text::isHorizontalSpace(scalars[begin])) ++begin;
    while (end > begin && Text::isHorizontalSpace(scalars[end - 1])) --end;
    while (end > begin && scalars[end - 1] == U'.') --end;
    if (begin == end) return "_";
    return Text::encode(std::u32string_view(scalars).substr(begin, end - begin));
}

}  // namespace quillane
