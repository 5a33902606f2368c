#pragma once
#include <QColor>
#include <QString>

#include <optional>
#include <vector>

#include "Detection/DriveRole.h"
#include "Model/DriveState.h"
#include "Model/ModelStates.h"

namespace quillane {

// What the drive card, its recognition chip and its menu show for one drive: pure decisions beside
// the widgets, so they are tested without pixels. `role` is the model's role of the drive (a role
// the user chose counts), `state` the model's transfer state.

struct DriveCardText {
    QString subtitle;     // camera label for a recognised source card, else hardware · file system
    double usedFraction;  // 0 for an unknown total or more free than total; not clamped above
    QString freeSpace;    // "1.2 TB free of 2 TB" / "1,2 TB vrij van 2 TB"
};
DriveCardText driveCardText(const DriveState& drive, DriveRole role);

struct ChipLook {
    QColor tint;
    bool analyzing;  // spinner and "Analyzing" instead of symbol and label
    QString symbol;  // "brain" for a learned role, else "sparkles"
    QString text;    // "Analyzing", or the confidence label ("Remembered", "Certain", "Likely", "Check")
    QString toolTip;
};
ChipLook chipLook(const DriveState& drive);

// The verdict line of the recognition details: `lead` + bold `role` + `tail`
// ("Recognized as " + "source (card)" + " · 85% sure"; no tail while analysing).
struct RecognitionVerdict {
    QString lead;
    QString role;
    QString tail;
};
RecognitionVerdict recognitionVerdict(const DriveState& drive, DriveRole role);
QString recognitionHint();

struct DriveMenuEntry {
    enum class Kind { heading, role, separator, baseFolder, reveal, eject };
    Kind kind;
    QString title;
    std::optional<DriveRole> role;  // for role items
    bool checked = false;           // the current role shows a check mark
    bool enabled = true;
};
std::vector<DriveMenuEntry> driveMenuEntries(const DriveState& drive, DriveRole role, TransferState state);

}  // namespace quillane
