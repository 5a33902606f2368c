#pragma once
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace quillane::Snapshot {

// One shot: the view to draw, its size in points, an optional crop, the file name.
struct Shot {
    std::function<QWidget*()> make;
    QSize size;
    std::optional<QRectF> crop;
    QString name;
};

// Renders views off screen: each at its fixed size, never on a screen, with 0.8 s of the main
// event loop to settle (model timers keep running meanwhile), then grabbed. Shots are taken one
// after another without a nested event loop; `then` runs after the last.
class Camera : public QObject {
public:
    explicit Camera(QString folder, QObject* parent = nullptr);
    void take(std::vector<Shot> shots, std::function<void()> then);
    // Draws one view now and hands its image back 0.8 s later (a null image when it failed).
    void capture(std::function<QWidget*()> make, QSize size, std::function<void(QImage)> done);
    const QString& folder() const { return folder_; }
    // The settle time; tests shorten it.
    int settleMs = 800;

private:
    void next();
    QString folder_;
    std::vector<Shot> queue_;
    std::function<void()> then_;
};

// Creates the output folder (with its parents); false when it can't be made.
bool makeFolder(const QString& folder);

}  // namespace quillane::Snapshot
