#pragma once
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace quillane::testing {

// A program of this name that is found first on PATH while the scope lasts (as a desktop's helper
// such as xdg-open is): it notes the arguments of each call, one line a call, and exits with the
// given code.
class FakeProgram {
public:
    FakeProgram(const std::string& name, int exitCode) {
        const std::filesystem::path program = dir_ / name;
        writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$0.calls\"\nexit " + std::to_string(exitCode) + "\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        if (const char* path = std::getenv("PATH")) previous_ = path;
        ::setenv("PATH", (dir_.path().string() + (previous_ ? ":" + *previous_ : std::string())).c_str(), 1);
        calls_ = program.string() + ".calls";
    }
    ~FakeProgram() {
        if (previous_) ::setenv("PATH", previous_->c_str(), 1);
        else ::unsetenv("PATH");
    }
    FakeProgram(const FakeProgram&) = delete;
    FakeProgram& operator=(const FakeProgram&) = delete;

    // The arguments of each call so far, joined by spaces.
    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        if (!std::filesystem::exists(calls_)) return lines;
        std::istringstream text(readFile(calls_));
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

private:
    TempDir dir_{"quillane-program"};
    std::filesystem::path calls_;
    std::optional<std::string> previous_;
};

}  // namespace quillane::testing
