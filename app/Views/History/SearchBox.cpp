#include "Views/History/SearchBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "Views/History/HistorySheetLook.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr int boxHeight = 38;

// The clear button: the symbol alone, no capsule behind it.
ButtonStyle clearStyle() {
    ButtonStyle style = ButtonStyles::icon();
    style.background = Qt::transparent;
    style.backgroundHover = Qt::transparent;
    style.backgroundPressed = Qt::transparent;
    style.foreground = Theme::tertiary();
    style.foregroundHover = Theme::secondary();
    style.fixedWidth = 20;
    style.height = 20;
    return style;
}

}  // namespace

SearchBox::SearchBox(QWidget* parent) : QWidget(parent) {
    setObjectName("searchBox");
    setFixedHeight(boxHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 0, 12, 0);
    row->setSpacing(8);

    auto* magnifier = new QLabel(this);
    magnifier->setPixmap(Symbols::pixmap("magnifyingglass", Symbols::side(14), Theme::tertiary(), QFont::Normal,
                                         devicePixelRatioF()));
    row->addWidget(magnifier);

    field_ = new QLineEdit(this);
    field_->setObjectName("searchField");
    field_->setFrame(false);
    field_->setFont(Fonts::text(14));
    field_->setPlaceholderText(QString::fromStdString(HistorySheetLook::placeholder()));
    // The well behind is the field's look; the application's line-edit frame would double it.
    field_->setStyleSheet("QLineEdit { background: transparent; border: none; padding: 0; }");
    field_->installEventFilter(this);
    row->addWidget(field_, 1);

    clear_ = new StyledButton(clearStyle(), {}, "xmark.circle.fill", this);
    clear_->setObjectName("clearSearch");
    clear_->hide();
    row->addWidget(clear_);

    connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) { clear_->setVisible(!text.isEmpty()); });
    connect(clear_, &QAbstractButton::clicked, field_, &QLineEdit::clear);
}

QSize SearchBox::sizeHint() const { return QSize(400, boxHeight); }

bool SearchBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) update();
    return QWidget::eventFilter(watched, event);
}

void SearchBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(Theme::well());
    painter.setPen(QPen(field_->hasFocus() ? Theme::opacity(Theme::accent(), 0.6) : Theme::stroke(), 1));
    painter.drawRoundedRect(box, 10, 10);
}

}  // namespace quillane
