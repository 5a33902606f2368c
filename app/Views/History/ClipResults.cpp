#include "Views/History/ClipResults.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double cardGap = 6, cardPad = 12, cardInnerGap = 8, symbolGap = 10, lineGap = 2;
constexpr double buttonHeight = 24, buttonPadX = 9, buttonInnerGap = 5, buttonGap = 8, buttonIndent = 28;
constexpr double dotSide = 6, emptyHeight = 160;

QFont nameFont() { return Fonts::text(13, QFont::DemiBold); }
QFont detailFont() { return Fonts::text(11.5); }
QFont driveFont() { return Fonts::text(11.5, QFont::Medium); }
QFont stateFont() { return Fonts::text(10.5); }
double filmSide() { return Symbols::side(13); }

double headHeight() {
    return std::max(filmSide(), QFontMetricsF(nameFont()).height() + lineGap + QFontMetricsF(detailFont()).height());
}

// A long drive name is shortened in its middle, so the buttons stay on the card.
QString shownDrive(const HistorySheetLook::LocationButton& look) {
    return QFontMetricsF(driveFont()).elidedText(QString::fromStdString(look.name), Qt::ElideMiddle, 200);
}

double buttonWidth(const HistorySheetLook::LocationButton& look) {
    return buttonPadX * 2 + dotSide + buttonInnerGap + QFontMetricsF(driveFont()).horizontalAdvance(shownDrive(look)) +
           buttonInnerGap + QFontMetricsF(stateFont()).horizontalAdvance(QString::fromStdString(look.state));
}

}  // namespace

ClipResults::ClipResults(QWidget* parent) : QWidget(parent) {
    setObjectName("clipResults");
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    tops_ = {0};
}

void ClipResults::setCards(std::vector<Card> cards) {
    cards_ = std::move(cards);
    tops_.clear();
    double y = 0;
    for (std::size_t i = 0; i < cards_.size(); ++i) {
        tops_.push_back(y);
        y += cardHeight(i) + cardGap;
    }
    tops_.push_back(cards_.empty() ? emptyHeight : y - cardGap);
    hovered_.reset();
    pressed_.reset();
    focused_.reset();
    setFocusPolicy(reachable().empty() ? Qt::NoFocus : Qt::TabFocus);
    updateGeometry();
    update();
}

double ClipResults::cardTop(std::size_t card) const { return tops_[card]; }

double ClipResults::cardHeight(std::size_t card) const {
    const bool buttons = !cards_[card].locations.empty();
    return cardPad * 2 + headHeight() + (buttons ? cardInnerGap + buttonHeight : 0);
}

QSize ClipResults::sizeHint() const { return QSize(600, static_cast<int>(std::ceil(tops_.back()))); }
QSize ClipResults::minimumSizeHint() const { return QSize(320, sizeHint().height()); }

QRectF ClipResults::buttonRect(std::size_t card, std::size_t location) const {
    if (card >= cards_.size() || location >= cards_[card].locations.size()) return {};
    double x = cardPad + buttonIndent;
    for (std::size_t i = 0; i < location; ++i)
        x += buttonWidth(HistorySheetLook::locationButton(cards_[card].locations[i])) + buttonGap;
    const double y = cardTop(card) + cardPad + headHeight() + cardInnerGap;
    return QRectF(x, y, buttonWidth(HistorySheetLook::locationButton(cards_[card].locations[location])), buttonHeight);
}

std::optional<ClipResults::Place> ClipResults::placeAt(QPointF point) const {
    if (cards_.empty()) return std::nullopt;
    const auto after = std::upper_bound(tops_.begin(), tops_.end() - 1, point.y());
    if (after == tops_.begin()) return std::nullopt;
    const std::size_t card = static_cast<std::size_t>(after - tops_.begin() - 1);
    for (std::size_t i = 0; i < cards_[card].locations.size(); ++i)
        if (buttonRect(card, i).contains(point)) return Place{card, i};
    return std::nullopt;
}

void ClipResults::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (cards_.empty()) {
        painter.setFont(Fonts::text(13));
        painter.setPen(Theme::secondary());
        painter.drawText(QRectF(0, 0, width(), emptyHeight), Qt::AlignCenter,
                         QString::fromStdString(HistorySheetLook::noClipsText()));
        return;
    }
    const QFontMetricsF name(nameFont()), detail(detailFont());
    const auto first = std::upper_bound(tops_.begin(), tops_.end() - 1, static_cast<double>(event->rect().top()));
    std::size_t i = first == tops_.begin() ? 0 : static_cast<std::size_t>(first - tops_.begin() - 1);
    for (; i < cards_.size() && cardTop(i) <= event->rect().bottom(); ++i) {
        const Card& card = cards_[i];
        const QRectF box(0, cardTop(i), width(), cardHeight(i));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::card());
        painter.drawRoundedRect(box, 10, 10);

        const double head = headHeight();
        const double side = filmSide();
        Symbols::paint(painter, QRectF(cardPad, box.top() + cardPad + (head - side) / 2, side, side), "film",
                       Theme::secondary());
        const double textLeft = cardPad + side + symbolGap;
        const double textWidth = width() - textLeft - cardPad;
        const double textTop = box.top() + cardPad + (head - (name.height() + lineGap + detail.height())) / 2;
        painter.setFont(nameFont());
        painter.setPen(Theme::text());
        painter.drawText(QRectF(textLeft, textTop, textWidth, name.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         name.elidedText(QString::fromStdString(card.hit.fileName), Qt::ElideMiddle, textWidth));
        painter.setFont(detailFont());
        painter.setPen(Theme::secondary());
        painter.drawText(QRectF(textLeft, textTop + name.height() + lineGap, textWidth, detail.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         detail.elidedText(QString::fromStdString(card.hit.detail), Qt::ElideRight, textWidth));

        for (std::size_t l = 0; l < card.locations.size(); ++l) {
            const auto look = HistorySheetLook::locationButton(card.locations[l]);
            const QRectF button = buttonRect(i, l);
            const bool hovered = hovered_ && hovered_->card == i && hovered_->location == l && look.online;
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::opacity(Qt::white, hovered ? 0.12 : 0.06));
            painter.drawRoundedRect(button, buttonHeight / 2, buttonHeight / 2);
            double x = button.left() + buttonPadX;
            painter.setBrush(look.online ? Theme::accent() : Theme::tertiary());
            painter.drawEllipse(QRectF(x, button.center().y() - dotSide / 2, dotSide, dotSide));
            x += dotSide + buttonInnerGap;
            const QString drive = shownDrive(look);
            painter.setFont(driveFont());
            painter.setPen(Theme::text());
            painter.drawText(QRectF(x, button.top(), button.right() - x, buttonHeight), Qt::AlignLeft | Qt::AlignVCenter, drive);
            x += QFontMetricsF(driveFont()).horizontalAdvance(drive) + buttonInnerGap;
            painter.setFont(stateFont());
            painter.setPen(Theme::tertiary());
            painter.drawText(QRectF(x, button.top(), button.right() - x, buttonHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(look.state));
            if (ring_.isShown() && focused_ && focused_->card == i && focused_->location == l)
                FocusRing::paint(painter, button, buttonHeight / 2);
        }
    }
}

void ClipResults::setHovered(std::optional<Place> place) {
    const bool same = place.has_value() == hovered_.has_value() &&
                      (!place || (place->card == hovered_->card && place->location == hovered_->location));
    if (same) return;
    hovered_ = place;
    const bool online = place && cards_[place->card].locations[place->location].online;
    if (online) setCursor(Qt::PointingHandCursor);
    else unsetCursor();
    update();
}

bool ClipResults::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const auto place = placeAt(help->pos())) {
            const auto look = HistorySheetLook::locationButton(cards_[place->card].locations[place->location]);
            QToolTip::showText(help->globalPos(), QString::fromStdString(look.toolTip), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::Leave) setHovered(std::nullopt);
    return QWidget::event(event);
}

void ClipResults::mouseMoveEvent(QMouseEvent* event) { setHovered(placeAt(event->position())); }

void ClipResults::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? placeAt(event->position()) : std::nullopt;
}

void ClipResults::mouseReleaseEvent(QMouseEvent* event) {
    const auto place = placeAt(event->position());
    const auto pressed = pressed_;
    pressed_.reset();
    if (!place || !pressed || place->card != pressed->card || place->location != pressed->location) return;
    // A copy on a drive that is not connected can't be opened: the button only says which drive.
    const auto& location = cards_[place->card].locations[place->location];
    if (location.online) emit revealRequested(QString::fromStdString(location.path));
}

std::vector<ClipResults::Place> ClipResults::reachable() const {
    std::vector<Place> places;
    for (std::size_t card = 0; card < cards_.size(); ++card)
        for (std::size_t l = 0; l < cards_[card].locations.size(); ++l)
            if (cards_[card].locations[l].online) places.push_back({card, l});
    return places;
}

void ClipResults::setFocused(std::optional<Place> place) {
    focused_ = place;
    if (place) {
        // Within a scrolling list the button comes into view.
        for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(up); area != nullptr && area->widget() != nullptr) {
                const QRect button = buttonRect(place->card, place->location).toAlignedRect();
                const QPoint centre = mapTo(area->widget(), button.center());
                area->ensureVisible(centre.x(), centre.y(), button.width() / 2 + 8, button.height() / 2 + 8);
                break;
            }
    }
    update();
}

void ClipResults::focusInEvent(QFocusEvent* event) {
    const std::vector<Place> places = reachable();
    if (!places.empty() && (!focused_ || event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason))
        setFocused(event->reason() == Qt::BacktabFocusReason ? places.back() : places.front());
    QWidget::focusInEvent(event);
}

bool ClipResults::focusNextPrevChild(bool next) {
    const std::vector<Place> places = reachable();
    if (hasFocus() && focused_) {
        const auto at = std::find_if(places.begin(), places.end(), [this](const Place& place) {
            return place.card == focused_->card && place.location == focused_->location;
        });
        if (at != places.end()) {
            if (next && at + 1 != places.end()) return setFocused(*(at + 1)), true;
            if (!next && at != places.begin()) return setFocused(*(at - 1)), true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void ClipResults::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && focused_ && !event->isAutoRepeat()) {
        const auto& location = cards_[focused_->card].locations[focused_->location];
        if (location.online) emit revealRequested(QString::fromStdString(location.path));
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace quillane
