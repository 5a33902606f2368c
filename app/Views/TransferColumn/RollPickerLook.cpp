#include "Views/TransferColumn/RollPickerLook.h"

#include <algorithm>
#include <cmath>

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

namespace {
// Widths of the names from `first` on in `available`: the longest cut back to a common width, none
// below its least.
void share(const RollPathRoom& room, std::size_t first, double available, std::vector<double>& widths) {
    const auto widthAt = [&room](std::size_t i, double cap) {
        return std::min(room.natural[i], std::max(cap, room.least[i]));
    };
    const auto totalAt = [&](double cap) {
        double total = 0;
        for (std::size_t i = first; i < room.natural.size(); ++i) total += widthAt(i, cap);
        return total;
    };
    // The widest whole-pixel common width that fits: the shorter names keep theirs, the longer ones
    // are cut back to it, none below its least.
    double longest = 0;
    for (std::size_t i = first; i < room.natural.size(); ++i) longest = std::max(longest, room.natural[i]);
    double low = 0, high = std::ceil(longest);
    while (low < high) {
        const double middle = std::ceil((low + high) / 2);
        if (totalAt(middle) <= available) low = middle;
        else high = middle - 1;
    }
    for (std::size_t i = first; i < room.natural.size(); ++i) widths[i] = widthAt(i, low);
}

double leastFrom(const RollPathRoom& room, std::size_t first) {
    double total = 0;
    for (std::size_t i = first; i < room.natural.size(); ++i) total += std::min(room.natural[i], room.least[i]);
    return total;
}
}  // namespace

std::vector<double> rollPathWidths(const RollPathRoom& room) {
    const std::size_t count = room.natural.size();
    std::vector<double> widths(count, 0);
    if (count == 0) return widths;
    if (count == 1 || leastFrom(room, 0) <= room.available) {
        share(room, 0, room.available, widths);
        return widths;
    }
    // Fold the first levels into the marker, as few as will do; the last name always stays.
    const auto namesRoom = [&room](std::size_t folded) {
        return room.available + static_cast<double>(folded - 1) * room.levelCost - room.marker;
    };
    std::size_t folded = 1;
    while (folded + 1 < count && leastFrom(room, folded) > namesRoom(folded)) ++folded;
    widths[0] = room.marker;
    share(room, folded, namesRoom(folded), widths);
    return widths;
}

}  // namespace quillane
