#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillane {

struct FolderPickRequest {
    std::filesystem::path startFolder;
    std::string prompt;   // the confirm button
    std::string message;  // the question above the folders
    bool canCreateFolders = false;
};

// Lets the user choose a folder. Asynchronous: the window stays responsive while it is open.
class FolderPicker {
public:
    using Done = std::function<void(std::optional<std::filesystem::path> folder)>;
    virtual ~FolderPicker() = default;
    // done runs on the model's thread, with nothing when the user cancelled.
    virtual void pick(const FolderPickRequest& request, Done done) = 0;
};

}  // namespace quillane
