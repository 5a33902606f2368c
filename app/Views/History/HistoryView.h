#pragma once
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

#include "Model/ClipSearch.h"
#include "Model/ModelField.h"

class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;

namespace quillane {

class AppModel;
class ClipResults;
class TextLabel;
class ProjectMenuButton;
class ProjectOverview;
class SearchBox;
class StyledButton;

// The history sheet: the overview of one project, picked in its header, or, as soon as the
// search field holds two characters, the clips whose names contain them and the drives that
// hold their copies. A plain widget; the main window shows it in a sheet and closes the sheet
// when Close or Escape asks for it.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    static constexpr int sheetWidth = 760;
    static constexpr int sheetHeight = 640;

    explicit HistoryView(AppModel& model, const QString& query = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {sheetWidth, sheetHeight}; }

    QLineEdit* searchField() const;
    // The project the header shows now.
    const std::optional<std::string>& currentProject() const { return current_; }
    // As if chosen in the header's menu.
    void pickProject(const std::string& project);
    // True once a search shows its answer for the text in the field.
    bool showsAnswer() const;
    // The find-a-clip command: the search field takes the focus when the view is shown (now, when
    // it is); otherwise the view itself does.
    void focusSearch();

signals:
    // Close or Escape.
    void closeRequested();

protected:
    // Tab visits the controls in reading order.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;

private:
    void modelChanged(ModelFields fields);
    void refresh();
    void refreshHeader(const std::vector<std::string>& projects);
    void showAnswer();
    void refreshLocations();
    void showOnly(QWidget* body);

    AppModel& model_;
    ClipSearch search_;
    QString query_;
    std::optional<std::string> picked_;
    std::optional<std::string> current_;
    bool focusTaken_ = false;
    bool searchFocus_ = false;
    // What the shown overview and search answer were built from.
    std::uint64_t historyVersion_ = 0;
    std::optional<std::pair<std::string, std::uint64_t>> overviewBuiltFor_;
    std::optional<std::pair<std::string, std::uint64_t>> searchAskedFor_;

    TextLabel* title_;
    ProjectMenuButton* menuButton_;
    StyledButton* close_;
    SearchBox* searchBox_;
    QScrollArea* scroll_;
    ProjectOverview* overview_;
    ClipResults* clips_;
    QLabel* noTransfers_;
};

}  // namespace quillane
