#include "App/SnapshotCapture.h"

#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "App/SnapshotImage.h"

namespace quillane::Snapshot {

bool makeFolder(const QString& folder) { return QDir().mkpath(folder); }

Camera::Camera(QString folder, QObject* parent) : QObject(parent), folder_(std::move(folder)) {}

void Camera::capture(std::function<QWidget*()> make, QSize size, std::function<void(QImage)> done) {
    QWidget* view = make ? make() : nullptr;
    if (view == nullptr) {
        done(QImage());
        return;
    }
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->resize(size);
    view->show();
    QPointer<QWidget> guard(view);
    QTimer::singleShot(settleMs, this, [guard, done = std::move(done)] {
        if (!guard) return done(QImage());
        const QImage image = guard->grab().toImage();
        guard->hide();
        guard->deleteLater();
        done(image);
    });
}

void Camera::take(std::vector<Shot> shots, std::function<void()> then) {
    queue_ = std::move(shots);
    then_ = std::move(then);
    next();
}

void Camera::next() {
    if (queue_.empty()) {
        if (auto then = std::exchange(then_, nullptr)) then();
        return;
    }
    Shot shot = std::move(queue_.front());
    queue_.erase(queue_.begin());
    capture(shot.make, shot.size, [this, crop = shot.crop, name = shot.name](QImage image) {
        write(image, crop, folder_, name);
        next();
    });
}

}  // namespace quillane::Snapshot
