#pragma once
#include <string>

#include "Views/Kit/CapsuleTag.h"

namespace quillane {

// One drive name on a card's row: plain for a verified copy, red with a cross for a failed one.
struct DriveChipLook {
    std::string text;
    bool failed = false;
    std::string toolTip;
    friend bool operator==(const DriveChipLook&, const DriveChipLook&) = default;
};

DriveChipLook driveChipLook(const std::string& name, bool failed);

// The chip as a widget, with its tool tip; lists that paint their rows themselves draw capsule()
// instead.
class DriveChip : public CapsuleTagView {
    Q_OBJECT
public:
    explicit DriveChip(DriveChipLook look = {}, QWidget* parent = nullptr);
    void setLook(DriveChipLook look);
    const DriveChipLook& look() const { return look_; }

    static CapsuleTag capsule(const DriveChipLook& look);

protected:
    CapsuleTag tag() const override { return capsule(look_); }

private:
    DriveChipLook look_;
};

}  // namespace quillane
