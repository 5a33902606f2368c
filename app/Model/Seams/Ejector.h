#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillane {

// Unmounts and ejects a drive. Slow (seconds), so it answers later.
class Ejector {
public:
    using Done = std::function<void(std::optional<std::string> error)>;
    virtual ~Ejector() = default;
    // done runs on the model's thread: no value when the drive is gone, else the reason it
    // was refused, in the current language.
    virtual void eject(const std::filesystem::path& mountPoint, Done done) = 0;
};

}  // namespace quillane
