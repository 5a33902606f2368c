#include "Views/Main/AlertBox.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Views/Kit/DialogFocus.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

AlertBox::AlertBox(const QString& title, const QString& message, QWidget* parent) : QDialog(parent) {
    setWindowModality(Qt::WindowModal);
    setWindowTitle(title);
    keys_ = new DialogFocus(*this);
    HeightForWidth::keep(*this, 380);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 20);
    column->setSpacing(10);
    auto* heading = new TextLine(Fonts::text(14, QFont::DemiBold), Theme::text(), this);
    heading->setObjectName(QStringLiteral("alertTitle"));
    heading->setWrapping(true);
    heading->setText(title);
    auto* text = new TextLine(Fonts::text(12.5), Theme::secondary(), this);
    text->setObjectName(QStringLiteral("alertMessage"));
    text->setWrapping(true);
    text->setText(message);
    auto* words = new QVBoxLayout();
    words->setSpacing(10);
    words->addWidget(heading);
    words->addWidget(text);
    texts_ = new QHBoxLayout();
    texts_->setSpacing(16);
    texts_->addLayout(words, 1);
    column->addLayout(texts_);
    column->addSpacing(8);
    buttons_ = new QHBoxLayout();
    buttons_->addStretch(1);
    column->addLayout(buttons_);
}

void AlertBox::setMark(QWidget* mark) {
    mark->setParent(this);
    mark->setObjectName(QStringLiteral("alertMark"));
    texts_->insertWidget(0, mark, 0, Qt::AlignTop);
}

StyledButton* AlertBox::addButton(const QString& text, bool primary, const char* objectName) {
    auto* button =
        new StyledButton(primary ? ButtonStyles::primary() : ButtonStyles::secondary(), text, {}, this);
    button->setObjectName(QString::fromLatin1(objectName));
    buttons_->addWidget(button);
    if (primary) {
        default_ = button;
        keys_->setDefaultButton(button);
    }
    connect(button, &QAbstractButton::clicked, this, [this, button] { choose(button); });
    return button;
}

void AlertBox::choose(StyledButton* button) {
    if (chosen_) return;
    chosen_ = true;
    done(button == default_ ? QDialog::Accepted : QDialog::Rejected);
    emit chosen(button);
}

void AlertBox::reject() {
    if (escape_) choose(escape_);
    else QDialog::reject();
}

void AlertBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::cardRaised());
}

}  // namespace quillane
