#include "Views/TransferColumn/RollPickerLook.h"

namespace quillane {

RollPickerLook rollPicker(const std::vector<std::string>* runningPath, const std::vector<std::string>& targetPath,
                             bool running) {
    const std::vector<std::string>& path = runningPath ? *runningPath : targetPath;
    RollPickerLook content;
    content.menuButtonEnabled = !running;
    if (path.empty()) return content;
    content.folders.assign(path.begin(), path.end() - 1);
    content.roll = path.back();
    return content;
}

std::vector<char> rollMenuLetters() {
    std::vector<char> letters;
    for (char letter = 'A'; letter <= 'J'; ++letter) letters.push_back(letter);
    return letters;
}

std::string rollMenuLetterTitle(char letter) {
    const std::string l(1, letter);
    return l + "-camera (" + l + "001 …)";
}

}  // namespace quillane
