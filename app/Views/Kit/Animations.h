#pragma once
#include <QByteArray>
#include <QEasingCurve>
#include <QVariant>

class QObject;

namespace quillane::Animations {

// The one switch for every animation of the interface (button press, bar widths, chevron turns,
// spinners). Snapshots and tests turn it off: values then jump to their end and spinners draw a
// still frame. On by default.
bool enabled();
void setEnabled(bool on);

// Animates the Qt property `property` of `target` to `to` over `ms` milliseconds; a running
// animation of the same property is replaced. With animations off the property is set at once.
void animate(QObject* target, const QByteArray& property, const QVariant& to, int ms,
             QEasingCurve::Type curve = QEasingCurve::OutCubic);

}  // namespace quillane::Animations
