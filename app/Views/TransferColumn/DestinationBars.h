#pragma once
#include <QWidget>

#include <functional>

#include "Views/Kit/KeyedRows.h"
#include "Views/TransferColumn/DestinationBarLook.h"

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace quillane {

class AppModel;
class TextLabel;
class StyledButton;

// The filled part of one destination's bar; its width follows `fraction`, animated when
// animations are on.
class ProgressTrack : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double fraction READ fraction WRITE setShownFraction)
public:
    explicit ProgressTrack(QWidget* parent = nullptr);
    void setFraction(double fraction, const QColor& color);
    double fraction() const { return shown_; }
    void setShownFraction(double fraction);
    QSize sizeHint() const override { return {120, 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double target_ = -1;
    double shown_ = 0;
    QColor color_;
};

// One destination: icon, name, "Show in file manager", status, and the bar under them.
class DestinationBarView : public QWidget {
    Q_OBJECT
public:
    explicit DestinationBarView(std::function<void(const std::filesystem::path&)> showFolder, QWidget* parent = nullptr);
    void setRow(const DestinationBarLook& row, const QPixmap& icon);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The folder button beside the name while the whole line fits, else on a line of its own
    // under the bar, so the status keeps the room.
    void placeFolderButton();

    std::function<void(const std::filesystem::path&)> showFolder_;
    QHBoxLayout* line_;
    QHBoxLayout* buttonLine_;
    bool buttonBelow_ = false;
    std::optional<std::filesystem::path> folder_;
    QLabel* icon_;
    TextLabel* name_;
    StyledButton* folderButton_;
    TextLabel* status_;
    ProgressTrack* bar_;
};

// One bar per destination: free space before a transfer, copy and read-back progress during it,
// the outcome after it.
class DestinationBars : public QWidget {
    Q_OBJECT
public:
    explicit DestinationBars(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    const std::vector<DestinationBarLook>& rows() const { return rows_; }

private:
    void showFolder(const std::filesystem::path& folder);

    AppModel& model_;
    QVBoxLayout* layout_;
    TextLabel* placeholder_;
    KeyedRows<DestinationBarView> views_;
    std::vector<DestinationBarLook> rows_;
    bool refreshed_ = false;
};

}  // namespace quillane
