#include "Views/TransferColumn/RollPickerContent.h"

#include <algorithm>

namespace quillane {

RollPickerContent rollPicker(const std::vector<std::string>* runningPath, const std::vector<std::string>& targetPath,
                             bool running) {
    const std::vector<std::string>& path = runningPath ? *runningPath : targetPath;
    RollPickerContent content;
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

std::vector<double> rollPathWidths(const std::vector<double>& natural, double available, double least) {
    double total = 0;
    for (double width : natural) total += width;
    if (total <= available) return natural;
    // The common width: the shorter names keep theirs while the rest share what is left evenly.
    std::vector<double> ascending = natural;
    std::sort(ascending.begin(), ascending.end());
    double left = std::max(0.0, available);
    double cap = 0;
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        const double share = left / static_cast<double>(ascending.size() - i);
        if (ascending[i] > share) {
            cap = share;
            break;
        }
        left -= ascending[i];
    }
    std::vector<double> widths;
    widths.reserve(natural.size());
    for (double width : natural) widths.push_back(std::min(width, std::max(cap, least)));
    return widths;
}

}  // namespace quillane
