#pragma once
#include <filesystem>
#include <string>

namespace quillane::testing {

// True when the ffmpeg command is installed (tests that make clips skip without it).
bool haveFFmpeg();

// Runs ffmpeg quietly with the given arguments (shell syntax) to make `output`, creating its
// folder; returns false when ffmpeg fails or the file is missing afterwards.
bool makeClip(const std::filesystem::path& output, const std::string& arguments);

}  // namespace quillane::testing
