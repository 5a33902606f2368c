#pragma once
#include <QColor>

#include <string>

#include "Views/Kit/CapsuleTag.h"

namespace quillane {

// How many drives hold a copy of a card, as a small capsule; copies never read back say so.
struct CopiesBadgeLook {
    enum class Tint { danger, warning, accent };
    Tint tint = Tint::danger;
    std::string symbol;
    std::string text;
    friend bool operator==(const CopiesBadgeLook&, const CopiesBadgeLook&) = default;
};

CopiesBadgeLook copiesBadgeLook(int copies, bool verified = true);

// The badge as a widget (its tool tip is the caller's); lists that paint their rows themselves
// draw capsule() instead.
class CopiesBadge : public CapsuleTagView {
    Q_OBJECT
public:
    explicit CopiesBadge(int copies = 0, QWidget* parent = nullptr);
    void setCopies(int copies, bool verified = true);
    int copies() const { return copies_; }
    bool verified() const { return verified_; }

    static QColor tint(CopiesBadgeLook::Tint tint);
    static CapsuleTag capsule(const CopiesBadgeLook& look);

protected:
    CapsuleTag tag() const override { return capsule(copiesBadgeLook(copies_, verified_)); }

private:
    int copies_ = 0;
    bool verified_ = true;
};

}  // namespace quillane
