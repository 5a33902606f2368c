#include "Views/Kit/Picker.h"

#include <QActionGroup>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <cmath>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {

namespace {
constexpr double fieldHeight = 26;
constexpr double paddingX = 10;
constexpr double chevronGap = 8;
constexpr double radius = 7;

QFont pickerFont() { return Fonts::text(12.5); }
double chevronSide() { return Symbols::side(9); }
}  // namespace

Picker::Picker(QWidget* parent) : PaintedButton(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, &Picker::showMenu);
}

void Picker::addItem(const QString& text, const QVariant& data) {
    items_.push_back({text, data});
    if (current_ < 0) current_ = 0;
    updateGeometry();
    update();
}

QString Picker::itemText(int index) const { return index >= 0 && index < count() ? items_[index].text : QString(); }

QVariant Picker::itemData(int index) const { return index >= 0 && index < count() ? items_[index].data : QVariant(); }

int Picker::findData(const QVariant& data) const {
    for (int i = 0; i < count(); ++i)
        if (items_[i].data == data) return i;
    return -1;
}

void Picker::setCurrentIndex(int index) {
    if (index < -1 || index >= count() || index == current_) return;
    current_ = index;
    update();
}

QSize Picker::sizeHint() const {
    const QFontMetricsF metrics(pickerFont());
    double widest = 0;
    for (const Item& item : items_) widest = std::max(widest, metrics.horizontalAdvance(item.text));
    return {static_cast<int>(std::ceil(paddingX + widest + chevronGap + chevronSide() + paddingX)),
            static_cast<int>(fieldHeight)};
}

void Picker::showMenu() {
    if (items_.isEmpty()) return;
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("pickerMenu"));
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    auto* group = new QActionGroup(menu_);
    for (int i = 0; i < count(); ++i) {
        QAction* entry = menu_->addAction(items_[i].text);
        entry->setCheckable(true);
        entry->setChecked(i == current_);
        group->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, i] {
            setCurrentIndex(i);
            emit activated(i);
        });
    }
    connect(menu_, &QMenu::aboutToHide, this, [this] { update(); });
    menu_->popup(mapToGlobal(QPoint(0, static_cast<int>(rect().bottom()) + 2)));
}

void Picker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.45);
    const QRectF field = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(isDown() || menu_ ? Theme::cardRaised() : (isHovered() ? Theme::cardRaised() : Theme::card()));
    painter.drawRoundedRect(field, radius, radius);
    const double side = chevronSide();
    Symbols::paint(painter, QRectF(width() - paddingX - side, (height() - side) / 2, side, side),
                   QStringLiteral("chevron.down"), Theme::secondary(), QFont::DemiBold);
    painter.setFont(pickerFont());
    painter.setPen(Theme::text());
    const QRectF textArea(paddingX, 0, width() - 2 * paddingX - chevronGap - side, height());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetricsF(pickerFont()).elidedText(currentText(), Qt::ElideRight, textArea.width()));
}

}  // namespace quillane
