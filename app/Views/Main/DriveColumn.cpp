#include "Views/Main/DriveColumn.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "Views/Kit/SectionLabel.h"

namespace quillane {

DriveColumn::DriveColumn(AppModel& model, const QString& name, int width, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(name + QStringLiteral("Column"));
    setFixedWidth(width);
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(20, 20, 20, 20);
    column_->setSpacing(14);
    title_ = new SectionLabel(QString(), std::nullopt, this);
    column_->addWidget(title_);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(name + QStringLiteral("Scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->viewport()->setAutoFillBackground(false);
    auto* inner = new QWidget(scroll_);
    cardsLayout_ = new QVBoxLayout(inner);
    cardsLayout_->setContentsMargins(0, 0, 0, 0);
    cardsLayout_->setSpacing(10);
    scroll_->setWidget(inner);
}

}  // namespace quillane
