#pragma once
#include <string>

namespace quillane::testing {

// For one scope the C library formats numbers with a decimal comma, as a Dutch desktop does and
// as the app's process does once Qt has taken the desktop's locale. Uses an installed Dutch or
// German locale, or compiles a Dutch one with localedef; active() is false when neither works.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

}  // namespace quillane::testing
