#include "Views/Kit/HeightForWidth.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

#include <algorithm>

namespace quillane::HeightForWidth {

namespace {

class Fitter : public QObject {
public:
    explicit Fitter(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            switch (event->type()) {
                case QEvent::Polish:
                case QEvent::Show:
                case QEvent::LayoutRequest:
                case QEvent::FontChange:
                case QEvent::StyleChange: fit(window_); break;
                default: break;
            }
        }
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

int needed(const QWidget& window, int width) {
    const QLayout* layout = window.layout();
    if (!layout) return window.sizeHint().height();
    const int minimum = layout->totalMinimumSize().height();
    const int wanted = layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
    return std::max(minimum, wanted);
}

void fit(QWidget& window) {
    if (QLayout* layout = window.layout()) layout->activate();
    const int height = needed(window, window.width());
    if (height != window.height() || window.minimumHeight() != height || window.maximumHeight() != height)
        window.setFixedHeight(height);
}

void keep(QWidget& window, int width) {
    window.setFixedWidth(width);
    window.installEventFilter(new Fitter(window));
}

}  // namespace quillane::HeightForWidth
