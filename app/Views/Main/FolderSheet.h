#pragma once
#include <QDialog>

#include "Model/FolderRequest.h"

class QScrollArea;
class QVBoxLayout;

namespace quillane {

class AppModel;
class StyledButton;

// "Create folders?": the folders about to be made, drive by drive, with Cancel and Allow (or
// Allow and start when a transfer waits for them).
class FolderSheet : public QDialog {
    Q_OBJECT
public:
    FolderSheet(AppModel& model, const FolderRequest& request, QWidget* parent = nullptr);
    // Shows another request in place; the same request changes nothing.
    void setRequest(const FolderRequest& request);
    const UUID& requestID() const { return request_.id; }

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fill();

    AppModel& model_;
    FolderRequest request_;
    QScrollArea* scroll_;
    QVBoxLayout* list_;
    StyledButton* confirm_;
};

}  // namespace quillane
