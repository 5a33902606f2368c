#pragma once
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "Support/Lang.h"

namespace quillane::testing {

// Sets the machine's time zone (TZ) for a scope and restores the previous one.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZoneScope() {
        if (previous_) ::setenv("TZ", previous_->c_str(), 1);
        else ::unsetenv("TZ");
        ::tzset();
    }
    TimeZoneScope(const TimeZoneScope&) = delete;
    TimeZoneScope& operator=(const TimeZoneScope&) = delete;

private:
    std::optional<std::string> previous_;
};

// Restores the current language when the scope ends.
class LanguageScope {
public:
    LanguageScope() : saved_(Lang::current.load()) {}
    explicit LanguageScope(AppLanguage language) : LanguageScope() { Lang::current = language; }
    ~LanguageScope() { Lang::current = saved_; }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    AppLanguage saved_;
};

}  // namespace quillane::testing
