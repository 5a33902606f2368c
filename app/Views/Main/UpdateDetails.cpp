#include "Views/Main/UpdateDetails.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/HeaderLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

std::optional<std::string> localizedNotes(const ReleaseInfo& release) {
    const bool english = Lang::current.load() == AppLanguage::en;
    const auto& first = english ? release.notes : release.notesNL;
    const auto& second = english ? release.notesNL : release.notes;
    if (first && !first->empty()) return first;
    if (second && !second->empty()) return second;
    return std::nullopt;
}

UpdateDetails::UpdateDetails(AppModel& model, ReleaseInfo update, QWidget* parent)
    : QWidget(parent), model_(model), update_(std::move(update)) {
    setObjectName(QStringLiteral("updateDetails"));
    setFixedWidth(340);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(12);
    title_ = new TextLine(Fonts::expanded(Fonts::text(16, QFont::ExtraBold)), Theme::text(), this);
    using_ = new TextLine(Fonts::text(12), Theme::secondary(), this);
    notes_ = new TextLine(Fonts::text(12.5), Theme::text(), this);
    notes_->setWrapping(true);
    hint_ = new TextLine(Fonts::text(11.5), Theme::tertiary(), this);
    hint_->setWrapping(true);
    warning_ = new TextLine(Fonts::text(11.5, QFont::Medium), Theme::warning(), this);
    warning_->setSymbol(QStringLiteral("exclamationmark.triangle.fill"));
    warning_->setWrapping(true);
    warning_->setObjectName(QStringLiteral("updateWarning"));
    for (QWidget* line : {static_cast<QWidget*>(title_), static_cast<QWidget*>(using_), static_cast<QWidget*>(notes_),
                          static_cast<QWidget*>(hint_), static_cast<QWidget*>(warning_)})
        column->addWidget(line);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* later = new StyledButton(ButtonStyles::secondary(), QStringLiteral("Later"), {}, this);
    auto* download = new StyledButton(ButtonStyles::primary(), QStringLiteral("Download"), {}, this);
    later->setObjectName(QStringLiteral("updateLater"));
    download->setObjectName(QStringLiteral("updateDownload"));
    buttons->addWidget(later);
    buttons->addWidget(download);
    column->addLayout(buttons);
    connect(later, &QAbstractButton::clicked, this, [this] { model_.setShowUpdate(false); });
    connect(download, &QAbstractButton::clicked, this, [this] { model_.downloadUpdate(); });
    refresh();
}

void UpdateDetails::refresh() {
    const UpdateDetailsText text = updateDetailsText(update_.version, localizedNotes(update_),
                                                     model_.transferState() == TransferState::running);
    title_->setText(text.title);
    using_->setText(text.using_);
    notes_->setText(text.notes.value_or(QString()));
    notes_->setVisible(text.notes.has_value());
    hint_->setText(text.hint);
    warning_->setText(text.warning.value_or(QString()));
    warning_->setVisible(text.warning.has_value());
}

UpdatePopover::UpdatePopover(AppModel& model, const ReleaseInfo& update, QWidget* parent)
    : QFrame(parent, Qt::Popup), model_(model) {
    setObjectName(QStringLiteral("updatePopover"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    details_ = new UpdateDetails(model, update, this);
    layout->addWidget(details_);
    HeightForWidth::keep(*this, details_->width());
}

void UpdatePopover::showBelow(QWidget* anchor) {
    const QPoint below = anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height() + 6));
    move(below.x() - width() / 2, below.y());
    show();
}

void UpdatePopover::refresh() { details_->refresh(); }

void UpdatePopover::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    model_.setShowUpdate(false);
}

void UpdatePopover::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(Theme::cardRaised());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

}  // namespace quillane
