#include "Views/Kit/Spinner.h"

#include <QPainter>

#include <cmath>

#include "Views/Kit/Animations.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
constexpr int spokes = 8;
}

Spinner::Spinner(double side, const QColor& color, QWidget* parent)
    : QWidget(parent), color_(color.isValid() ? color : Theme::secondary()) {
    const int s = static_cast<int>(std::ceil(side));
    setFixedSize(s, s);
    timer_.setInterval(90);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % spokes;
        update();
    });
}

void Spinner::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Spinner::showEvent(QShowEvent* event) {
    if (Animations::enabled()) timer_.start();
    QWidget::showEvent(event);
}

void Spinner::hideEvent(QHideEvent* event) {
    timer_.stop();
    QWidget::hideEvent(event);
}

void Spinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = std::min(width(), height()) / 2.0;
    painter.translate(width() / 2.0, height() / 2.0);
    for (int i = 0; i < spokes; ++i) {
        // The spoke at the current frame is darkest; the ones behind it fade.
        const int age = (frame_ - i + spokes) % spokes;
        QColor color = color_;
        color.setAlphaF(static_cast<float>(1.0 - 0.8 * age / spokes));
        painter.setPen(QPen(color, std::max(1.2, r * 0.22), Qt::SolidLine, Qt::RoundCap));
        const double angle = 2 * M_PI * i / spokes - M_PI / 2;
        painter.drawLine(QPointF(std::cos(angle) * r * 0.45, std::sin(angle) * r * 0.45),
                         QPointF(std::cos(angle) * r * 0.88, std::sin(angle) * r * 0.88));
    }
}

}  // namespace quillane
