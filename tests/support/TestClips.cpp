#include "support/TestClips.h"

#include <cstdlib>

namespace quillane::testing {

namespace {
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
}  // namespace

bool haveFFmpeg() {
    static const bool found = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return found;
}

bool makeClip(const std::filesystem::path& output, const std::string& arguments) {
    std::error_code ignored;
    if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path(), ignored);
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " " +
                                quoted(output.string()) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(output, ignored);
}

}  // namespace quillane::testing
