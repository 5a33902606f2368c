#include "support/CommaLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "support/TempDir.h"

namespace quillane::testing {
namespace {

bool writesComma() {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    return std::strcmp(text, "1,5") == 0;
}

bool tryLocale(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr && writesComma(); }

// A Dutch locale compiled once per process into a folder of its own.
bool compiledDutch() {
    static std::unique_ptr<TempDir> folder;
    if (!folder) {
        folder = std::make_unique<TempDir>("quillane-locale");
        const std::string command = "localedef -c -i nl_NL -f UTF-8 '" + (folder->path() / "nl_NL.UTF-8").string() +
                                    "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1) return false;
    }
    ::setenv("LOCPATH", folder->path().c_str(), 1);
    return tryLocale("nl_NL.UTF-8");
}

}  // namespace

CommaLocale::CommaLocale() {
    if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) previous_ = current;
    for (const char* name : {"nl_NL.UTF-8", "nl_NL.utf8", "de_DE.UTF-8", "de_DE.utf8"})
        if (tryLocale(name)) {
            active_ = true;
            return;
        }
    active_ = compiledDutch();
    if (!active_) std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
    ::unsetenv("LOCPATH");
}

}  // namespace quillane::testing
