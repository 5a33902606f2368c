#pragma once
#include <QColor>

class QApplication;

namespace quillane::Theme {

// The fixed palette of the dark interface. Every colour of every window comes from here.
QColor background();  // #0F1114, the ground of the main window
QColor card();        // #171A1F
QColor cardRaised();  // #1E2228
QColor well();        // #0C0D0F, sunken fills
QColor hairline();    // white at 7 %
QColor stroke();      // white at 9 %, thin outlines and card borders
QColor text();        // #EDEEF0
QColor secondary();   // #9AA1AB
QColor tertiary();    // #636A75
QColor accent();      // #3DDC97
QColor onAccent();    // #05130C, text on accent
QColor warning();     // #FFB547
QColor sound();       // #7AB8FF, sound cards
QColor danger();      // #FF5F57

// The colour at the given opacity (0…1), e.g. opacity(accent(), 0.55).
QColor opacity(QColor color, double alpha);

// Fusion style, the dark palette built from the colours above, and the small style sheet for
// menus, tool tips, scroll bars and line edits. Also registers the bundled fonts.
void applyTo(QApplication& application);

// The application style sheet as applyTo sets it (built from the colours above).
QString styleSheet();

}  // namespace quillane::Theme
