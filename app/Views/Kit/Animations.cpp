#include "Views/Kit/Animations.h"

#include <QObject>
#include <QPropertyAnimation>

namespace quillane::Animations {

namespace {
bool on = true;
}

bool enabled() { return on; }
void setEnabled(bool value) { on = value; }

void animate(QObject* target, const QByteArray& property, const QVariant& to, int ms, QEasingCurve::Type curve) {
    if (target == nullptr) return;
    const QString name = QStringLiteral("animation:") + QString::fromLatin1(property);
    if (auto* running = target->findChild<QPropertyAnimation*>(name, Qt::FindDirectChildrenOnly)) {
        running->stop();
        delete running;
    }
    if (!on || ms <= 0) {
        target->setProperty(property.constData(), to);
        return;
    }
    auto* animation = new QPropertyAnimation(target, property, target);
    animation->setObjectName(name);
    animation->setEndValue(to);
    animation->setDuration(ms);
    animation->setEasingCurve(curve);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace quillane::Animations
