#include "Views/Main/MainAlert.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/SheetState.h"
#include "Views/Main/TextLine.h"

namespace quillane {

MainAlert::MainAlert(AppModel& model, const AlertMessage& alert, QWidget* parent)
    : QDialog(parent), model_(model), id_(alert.id) {
    setObjectName(QStringLiteral("mainAlert"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QString::fromStdString(alert.title));
    HeightForWidth::keep(*this, 380);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 20);
    column->setSpacing(10);
    auto* title = new TextLine(Fonts::text(14, QFont::DemiBold), Theme::text(), this);
    title->setObjectName(QStringLiteral("alertTitle"));
    title->setWrapping(true);
    title->setText(QString::fromStdString(alert.title));
    auto* message = new TextLine(Fonts::text(12.5), Theme::secondary(), this);
    message->setObjectName(QStringLiteral("alertMessage"));
    message->setWrapping(true);
    message->setText(QString::fromStdString(alert.message));
    column->addWidget(title);
    column->addWidget(message);
    column->addSpacing(8);

    const AlertButtons buttons = alertButtons(alert.actionTitle, static_cast<bool>(alert.action));
    hasAction_ = buttons.hasAction;
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    auto* dismiss = new StyledButton(hasAction_ ? ButtonStyles::secondary() : ButtonStyles::primary(),
                                     buttons.closeTitle, {}, this);
    dismiss->setObjectName(QStringLiteral("alertClose"));
    row->addWidget(dismiss);
    connect(dismiss, &QAbstractButton::clicked, this, [this] { close(false); });
    if (hasAction_) {
        auto* action = new StyledButton(ButtonStyles::primary(), buttons.actionTitle, {}, this);
        action->setObjectName(QStringLiteral("alertAction"));
        row->addWidget(action);
        connect(action, &QAbstractButton::clicked, this, [this] { close(true); });
    }
    column->addLayout(row);
}

void MainAlert::close(bool runAction) {
    if (closed_) return;
    closed_ = true;
    done(runAction ? QDialog::Accepted : QDialog::Rejected);
    // The model clears the alert (only when it is still this one) before the action runs, so an
    // alert the action raises stays.
    model_.closeAlert(id_, runAction);
}

void MainAlert::reject() { close(false); }

void MainAlert::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close(hasAction_);
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainAlert::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::cardRaised());
}

}  // namespace quillane
