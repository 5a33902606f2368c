#include "Views/Main/QueueList.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainStyles.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

QueueRowView::QueueRowView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("queueRow"));
    setFixedHeight(32);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->setSpacing(8);
    number_ = new TextLine(Fonts::text(11, QFont::DemiBold), Theme::tertiary(), this);
    name_ = new TextLine(Fonts::text(12.5, QFont::Medium), Theme::text(), this);
    auto* arrow = new TextLine(Fonts::text(9, QFont::Bold), Theme::tertiary(), this);
    arrow->setSymbol(QStringLiteral("arrow.right"));
    roll_ = new TapeLabel(QString(), 11.5, -1.5, this);
    size_ = new TextLine(Fonts::text(11), Theme::tertiary(), this);
    remove_ = new StyledButton(MainStyles::plain(Fonts::text(9, QFont::Bold), Theme::tertiary(), 20, 16), {},
                               QStringLiteral("xmark"), this);
    remove_->setObjectName(QStringLiteral("queueRemove"));
    row->addWidget(number_);
    row->addWidget(name_);
    row->addWidget(arrow);
    row->addWidget(roll_);
    row->addStretch(1);
    row->addWidget(size_);
    row->addWidget(remove_);
    connect(remove_, &QAbstractButton::clicked, this, &QueueRowView::removeRequested);
}

void QueueRowView::display(const QueueRow& row) {
    number_->setText(row.number);
    name_->setText(row.name);
    roll_->setText(row.roll);
    size_->setText(row.size);
    remove_->setToolTip(lq("Uit de wachtrij halen", "Remove from queue"));
}

void QueueRowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::card());
    painter.drawRoundedRect(rect(), 8, 8);
}

QueueList::QueueList(AppModel& model, QWidget* parent) : QWidget(parent), model_(model), rows_(nullptr) {
    setObjectName(QStringLiteral("queueList"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(new SectionLabel(lq("Wachtrij", "Queue"), std::nullopt, this));
    rowsLayout_ = new QVBoxLayout();
    rowsLayout_->setSpacing(8);
    column->addLayout(rowsLayout_);
    rows_ = KeyedRows<QueueRowView>(rowsLayout_);
    note_ = new TextLine(Fonts::text(11), Theme::tertiary(), this);
    note_->setWrapping(true);
    column->addWidget(note_);
    refresh();
}

void QueueList::refresh() {
    std::vector<QueueFacts> facts;
    for (const QueueItem& item : model_.queue())
        facts.push_back({item.id.text(), item.sourceName, item.roll, item.scan.totalBytes});
    rows_.sync(
        queueRows(facts), [](const QueueRow& row) { return QString::fromStdString(row.id); },
        [this](const QueueRow& row) {
            auto* view = new QueueRowView(this);
            const std::string id = row.id;
            connect(view, &QueueRowView::removeRequested, this, [this, id] {
                for (const QueueItem& item : model_.queue())
                    if (item.id.text() == id) return model_.removeFromQueue(item.id);
            });
            return view;
        },
        [](QueueRowView* view, const QueueRow& row) { view->display(row); });
    note_->setText(lq("Start automatisch zodra de huidige kaart veilig is overgezet.",
                        "Starts automatically once the current card has been transferred safely."));
}

}  // namespace quillane
