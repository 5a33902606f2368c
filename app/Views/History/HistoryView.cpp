#include "Views/History/HistoryView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Settings/ProjectCatalog.h"
#include "Support/Lang.h"
#include "Views/History/ClipResults.h"
#include "Views/History/HistorySheetLook.h"
#include "Views/History/ProjectMenuButton.h"
#include "Views/History/ProjectOverview.h"
#include "Views/History/SearchBox.h"
#include "Views/Kit/FocusOrder.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

// Searches run on the model's background threads, which the model waits for when it goes.
ClipSearch::Runner runnerOf(AppModel& model) {
    return [work = model.services().work](std::function<void()> job) { work->run(std::move(job)); };
}

}  // namespace

HistoryView::HistoryView(AppModel& model, const QString& query, QWidget* parent)
    : QWidget(parent), model_(model), search_(model.catalog(), runnerOf(model), this), query_(query) {
    setObjectName("historyView");
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Theme::background());
    setPalette(palette);
    // Takes the focus itself unless the search field is asked for, so the field is not
    // focused merely for being the first control.
    setFocusPolicy(Qt::ClickFocus);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    title_ = new TextLabel({}, Fonts::expanded(Fonts::text(19, QFont::ExtraBold)), Theme::text(), this);
    title_->setObjectName("historyTitle");
    header->addWidget(title_, 1);
    menuButton_ = new ProjectMenuButton(this);
    header->addWidget(menuButton_, 0);
    header->addStretch(0);
    close_ = new StyledButton(ButtonStyles::secondary(), QString::fromStdString(HistorySheetLook::closeTitle()), {}, this);
    close_->setObjectName("closeHistory");
    header->addWidget(close_, 0, Qt::AlignVCenter);
    column->addLayout(header);

    searchBox_ = new SearchBox(this);
    searchBox_->field()->setText(query_);
    column->addWidget(searchBox_);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("historyResults");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    auto* body = new QVBoxLayout(content);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    overview_ = new ProjectOverview([this](const ProjectCatalog::Drive& drive) { return model_.isConnected(drive); },
                                    content);
    clips_ = new ClipResults(content);
    noTransfers_ = wrappingLabel(QString::fromStdString(HistorySheetLook::noTransfersText()), Fonts::text(13),
                                 Theme::secondary(), Qt::AlignCenter, content);
    noTransfers_->setObjectName("noTransfers");
    noTransfers_->setMinimumHeight(200);
    body->addWidget(overview_);
    body->addWidget(clips_);
    body->addWidget(noTransfers_);
    body->addStretch(1);
    scroll_->setWidget(content);
    scroll_->viewport()->setAutoFillBackground(false);
    column->addWidget(scroll_, 1);

    const auto dismiss = [this] { emit closeRequested(); };
    connect(close_, &QAbstractButton::clicked, this, dismiss);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, dismiss);
    connect(menuButton_, &ProjectMenuButton::picked, this, &HistoryView::pickProject);
    connect(searchBox_->field(), &QLineEdit::textChanged, this, [this](const QString& text) {
        query_ = text;
        refresh();
    });
    connect(&search_, &ClipSearch::answered, this, &HistoryView::showAnswer);
    connect(clips_, &ClipResults::revealRequested, this,
            [this](const QString& path) { model_.showInFileManager(std::filesystem::path(path.toStdString())); });
    connect(&model_, &AppModel::changed, this, &HistoryView::modelChanged);

    refresh();
}

QLineEdit* HistoryView::searchField() const { return searchBox_->field(); }

void HistoryView::pickProject(const std::string& project) {
    picked_ = project;
    refresh();
}

bool HistoryView::showsAnswer() const {
    return searchAskedFor_ && !search_.busy() && search_.query() == searchAskedFor_->first && clips_->isVisibleTo(this);
}

void HistoryView::focusSearch() {
    searchFocus_ = true;
    if (focusTaken_) searchField()->setFocus(Qt::OtherFocusReason);
}

void HistoryView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (focusTaken_) return;
    focusTaken_ = true;
    // The find-a-clip command asks for the field; the history command does not.
    if (searchFocus_) searchField()->setFocus(Qt::OtherFocusReason);
    else setFocus(Qt::OtherFocusReason);
}

void HistoryView::modelChanged(ModelFields fields) {
    if (fields.contains(ModelField::history)) ++historyVersion_;
    if (fields.intersects({ModelField::history, ModelField::projectName})) refresh();
    if (fields.contains(ModelField::drives)) {
        overview_->refreshConnections();
        refreshLocations();
    }
}

void HistoryView::refreshHeader(const std::vector<std::string>& projects) {
    const auto header = HistorySheetLook::header(projects, current_);
    const bool menu = header.kind == HistorySheetLook::Header::Kind::menu;
    title_->setVisible(!menu);
    menuButton_->setVisible(menu);
    if (menu) menuButton_->setProjects(projects, header.title);
    else title_->setText(QString::fromStdString(header.title));
}

void HistoryView::showOnly(QWidget* body) {
    for (QWidget* each : {static_cast<QWidget*>(overview_), static_cast<QWidget*>(clips_), static_cast<QWidget*>(noTransfers_)})
        each->setVisible(each == body);
}

void HistoryView::refresh() {
    const std::vector<TransferRecord>& history = model_.history();
    const std::vector<std::string> projects = ProjectCatalog::projects(history);
    current_ = HistorySheetLook::currentProject(projects, picked_, model_.projectName());
    refreshHeader(projects);

    switch (HistorySheetLook::body(query_.toStdString(), current_)) {
    case HistorySheetLook::Body::clips: {
        const std::pair<std::string, std::uint64_t> ask{query_.toStdString(), historyVersion_};
        if (searchAskedFor_ != ask) {
            searchAskedFor_ = ask;
            // What was shown stays until the answer comes.
            search_.request(ask.first, history, HistorySheetLook::hitLimit);
        }
        break;
    }
    case HistorySheetLook::Body::noTransfers:
        searchAskedFor_.reset();
        showOnly(noTransfers_);
        break;
    case HistorySheetLook::Body::overview: {
        searchAskedFor_.reset();
        const std::pair<std::string, std::uint64_t> built{*current_, historyVersion_};
        if (overviewBuiltFor_ != built) {
            overviewBuiltFor_ = built;
            overview_->setCatalog(ProjectCatalog(*current_, history));
        }
        showOnly(overview_);
        break;
    }
    }
}

void HistoryView::showAnswer() {
    // An answer for a text the field no longer holds is not shown; its successor is on its way.
    if (!searchAskedFor_ || search_.query() != searchAskedFor_->first) return;
    refreshLocations();
    showOnly(clips_);
    scroll_->verticalScrollBar()->setValue(0);
}

void HistoryView::refreshLocations() {
    if (!searchAskedFor_ || search_.query() != searchAskedFor_->first) return;
    std::vector<ClipResults::Card> cards;
    cards.reserve(search_.hits().size());
    const ReportDates::Formatter dates(ReportDates::Formatter::Style::mediumDateShortTime, Lang::current);
    for (const ClipHit& hit : search_.hits()) {
        ClipResults::Card card{HistorySheetLook::hit(hit, dates), {}};
        for (const auto& location : model_.locations(hit))
            card.locations.push_back({location.name, location.url.string(), location.online});
        cards.push_back(std::move(card));
    }
    clips_->setCards(std::move(cards));
}

bool HistoryView::focusNextPrevChild(bool next) { return FocusOrder::move(*this, next); }

}  // namespace quillane
