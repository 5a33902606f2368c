#include "Views/Kit/Dividers.h"

#include <QPainter>

#include "Views/Kit/Theme.h"

namespace quillane {

HDivider::HDivider(QWidget* parent) : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void HDivider::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), Theme::hairline()); }

VDivider::VDivider(QWidget* parent) : QWidget(parent) {
    setFixedWidth(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void VDivider::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), Theme::hairline()); }

}  // namespace quillane
