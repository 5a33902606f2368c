#pragma once
#include <string>
#include <vector>

#include "Settings/TransferRecord.h"

namespace quillane {

struct RecentTransferLook {
    std::string id;
    std::string roll;
    std::string sourceName;
    std::string size;
    int copies = 0;
    std::string drives;  // the badge's tooltip
    bool divider = true; // a hairline under the row; not under the last
    bool verified = true; // every copy was read back
    bool operator==(const RecentTransferLook&) const = default;
};

// How many of the project's rolls the list shows.
inline constexpr std::size_t recentTransferLimit = 5;

// The project's most recently transferred rolls, newest first (equal dates keep the catalog's
// order); empty when the project has none.
std::vector<RecentTransferLook> recentTransferRows(const std::string& project, const std::vector<TransferRecord>& history);
std::string recentTransfersTitle(const std::string& project);

// Whether a row shows the roll's size beside the card name: only while the name fits whole there in
// `room` (the width between the tape and the badge); otherwise the size goes under the name.
bool recentSizeBesideName(int room, int nameWidth, int sizeWidth, int gap);

}  // namespace quillane
