#include "Views/TransferColumn/RecentTransfers.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Support/Lang.h"
#include "Views/Kit/ButtonStyle.h"
#include "Views/Kit/CopiesBadge.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/TextLabel.h"

namespace quillane {
namespace {

constexpr int rowHeight = 34;
constexpr int rowPadding = 12;
constexpr int rowSpacing = 10;
constexpr int tapeFrameWidth = 58;
constexpr double cardRadius = 10;

// The rounded card the rows sit on.
class RowsCard : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Theme::stroke(), 1));
        painter.setBrush(Theme::card());
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cardRadius, cardRadius);
    }
};

}  // namespace

RecentTransferView::RecentTransferView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("recentTransfer"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* line = new QWidget(this);
    line->setFixedHeight(rowHeight);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(rowPadding, 0, rowPadding, 0);
    row->setSpacing(rowSpacing);
    auto* tapeFrame = new QWidget(line);
    tapeFrame->setFixedWidth(tapeFrameWidth);
    auto* tapeLayout = new QHBoxLayout(tapeFrame);
    tapeLayout->setContentsMargins(0, 0, 0, 0);
    tape_ = new TapeLabel(QString(), 12, -1.5, tapeFrame);
    tapeLayout->addWidget(tape_, 0, Qt::AlignLeft | Qt::AlignVCenter);
    name_ = new TextLabel(QString(), Fonts::text(12), Theme::secondary(), line);
    name_->setObjectName(QStringLiteral("recentCardName"));
    size_ = new TextLabel(QString(), Fonts::text(11.5), Theme::tertiary(), line);
    size_->setObjectName(QStringLiteral("recentSize"));
    sizeUnder_ = new TextLabel(QString(), Fonts::text(11.5), Theme::tertiary(), line);
    sizeUnder_->setObjectName(QStringLiteral("recentSize"));
    sizeUnder_->hide();
    badge_ = new CopiesBadge(0, line);
    auto* text = new QVBoxLayout;
    text->setContentsMargins(0, 0, 0, 0);
    text->setSpacing(0);
    text->addStretch(1);
    text->addWidget(name_);
    text->addWidget(sizeUnder_);
    text->addStretch(1);
    row->addWidget(tapeFrame);
    row->addLayout(text, 1);
    row->addWidget(size_);
    row->addWidget(badge_);
    column->addWidget(line);
    divider_ = new HDivider(this);
    auto* dividerRow = new QHBoxLayout;
    dividerRow->setContentsMargins(rowPadding, 0, rowPadding, 0);
    dividerRow->addWidget(divider_);
    column->addLayout(dividerRow);
}

void RecentTransferView::setRow(const RecentTransferLook& row) {
    tape_->setText(QString::fromStdString(row.roll));
    name_->setText(QString::fromStdString(row.sourceName));
    size_->setText(QString::fromStdString(row.size));
    sizeUnder_->setText(size_->text());
    badge_->setCopies(row.copies, row.verified);
    badge_->setToolTip(QString::fromStdString(row.drives).toHtmlEscaped());
    divider_->setVisible(row.divider);
    placeSize();
}

void RecentTransferView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeSize();
}

void RecentTransferView::placeSize() {
    const int room = width() - 2 * rowPadding - tapeFrameWidth - 2 * rowSpacing - badge_->sizeHint().width();
    const bool beside = recentSizeBesideName(room, name_->sizeHint().width(), size_->sizeHint().width(), rowSpacing);
    size_->setVisible(beside);
    sizeUnder_->setVisible(!beside);
}

RecentTransfers::RecentTransfers(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), card_(nullptr), cardLayout_(nullptr), views_(nullptr) {
    setObjectName(QStringLiteral("recentTransfers"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* heading = new QHBoxLayout;
    title_ = new SectionLabel(QString(), std::nullopt, this);
    overview_ = new StyledButton(ButtonStyles::text(Theme::accent(), Fonts::text(11.5, QFont::Medium), 18), QString(), QString(), this);
    overview_->setObjectName(QStringLiteral("overviewButton"));
    connect(overview_, &QAbstractButton::clicked, this, &RecentTransfers::historyRequested);
    heading->addWidget(title_, 1);
    heading->addWidget(overview_);
    column->addLayout(heading);
    card_ = new RowsCard(this);
    cardLayout_ = new QVBoxLayout(card_);
    cardLayout_->setContentsMargins(0, 0, 0, 0);
    cardLayout_->setSpacing(0);
    column->addWidget(card_);
    views_ = KeyedRows<RecentTransferView>(cardLayout_);
    refresh();
}

void RecentTransfers::refresh() {
    title_->setTitle(QString::fromStdString(recentTransfersTitle(model_.projectName())));
    overview_->setText(lq("Overzicht", "Overview"));
    rows_ = recentTransferRows(model_.projectName(), model_.history());
    setVisible(!rows_.empty());
    views_.sync(
        rows_, [](const RecentTransferLook& row) { return QString::fromStdString(row.id); },
        [this](const RecentTransferLook&) { return new RecentTransferView(card_); },
        [](RecentTransferView* view, const RecentTransferLook& row) { view->setRow(row); });
}

}  // namespace quillane
