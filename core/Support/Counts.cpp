#include "Support/Counts.h"

namespace quillane {

std::string countText(std::int64_t count, const CountWords& words, AppLanguage language) {
    const CountWords::Forms& forms = language == AppLanguage::en ? words.en : words.nl;
    return std::to_string(count) + " " + std::string(count == 1 ? forms.one : forms.many);
}

std::string countText(std::int64_t count, const CountWords& words) {
    return countText(count, words, Lang::current.load(std::memory_order_relaxed));
}

}  // namespace quillane
