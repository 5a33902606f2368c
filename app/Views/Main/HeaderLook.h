#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "Support/Lang.h"
#include "Model/ModelStates.h"
#include "Views/Kit/Tone.h"

namespace quillane {

// What the header bar reads of the model.
struct HeaderFacts {
    std::string projectName;
    bool running = false;
    DemoState demo = DemoState::off;
    bool stagedForScreenshot = false;
    bool templateUsesDay = false;
    // A paused transfer waits: the demo can't start over it.
    bool paused = false;
};

// Which of the bar's parts are present and how the project picker reads.
struct HeaderLook {
    QString pickerText;
    Tone pickerTone = Tone::text;
    bool pickerEnabled = true;
    bool demoButton = true;
    bool demoButtonEnabled = true;
    bool demoBadge = false;
    bool updatePill = true;
    bool shootDayPill = false;
};
HeaderLook headerLook(const HeaderFacts& facts);
// Why the demo can't start while a transfer is paused; shown on every control that starts it.
QString demoWaitsForPausedTransfer();

// The shoot-day stepper.
struct ShootDayPillLook {
    QString value;  // at least two digits
    bool minusEnabled = false;
    bool enabled = true;
};
ShootDayPillLook shootDayPillLook(int shootDay, bool running);

// The language switch: one segment per language, Dutch first.
struct LanguageSegment {
    AppLanguage language;
    QString label;
    bool current = false;
};
std::vector<LanguageSegment> languageSegments(AppLanguage current);

// The demo badge's end: a spinner while the demo comes or goes, else the stop button.
struct DemoBadgeLook {
    bool spinner = false;
    bool stopEnabled = true;
};
DemoBadgeLook demoBadgeLook(DemoState demo, bool running);

// The update popover's texts.
struct UpdateDetailsText {
    QString title;
    QString using_;
    std::optional<QString> notes;
    QString hint;
    std::optional<QString> warning;  // only while a transfer runs
};
QString updateOfferText(const std::string& version);  // "Quillane 1.0.2 is available"
UpdateDetailsText updateDetailsText(const std::string& version, const std::optional<std::string>& notes,
                                    bool running);

}  // namespace quillane
