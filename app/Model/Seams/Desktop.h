#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace quillane {

// The desktop's file manager and browser.
class Desktop {
public:
    // Called, on the main thread, with the folder that nothing on this computer could show.
    using NotShown = std::function<void(const std::filesystem::path& folder)>;

    virtual ~Desktop() = default;
    // Shows a folder in the file manager.
    virtual void openFolder(const std::filesystem::path& folder, NotShown notShown) = 0;
    // Shows the file manager with this one item selected, else the folder it is in.
    virtual void reveal(const std::filesystem::path& item, NotShown notShown) = 0;
    // Opens a web page in the browser.
    virtual void openWebPage(const std::string& url) = 0;
    // Opens a local file with the desktop's program for its type; false when nothing opened it.
    virtual bool openFile(const std::filesystem::path& file) = 0;
};

}  // namespace quillane
