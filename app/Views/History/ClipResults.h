#pragma once
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "Views/History/HistorySheetLook.h"
#include "Views/Kit/FocusRing.h"

namespace quillane {

// The hits of a clip search, one card each: the clip's name, where and when it was offloaded,
// and a button per drive that holds a verified copy. Painted as one widget, so that 200 hits
// show within a keystroke; the buttons are painted places with their own hover and tool tip. Tab
// goes from one connected copy's button to the next (Space or Return shows it), then on.
class ClipResults : public QWidget {
    Q_OBJECT
public:
    struct Card {
        HistorySheetLook::Hit hit;
        std::vector<HistorySheetLook::Location> locations;
    };

    explicit ClipResults(QWidget* parent = nullptr);
    void setCards(std::vector<Card> cards);
    const std::vector<Card>& cards() const { return cards_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where the button of a card's location lies (empty when there is none).
    QRectF buttonRect(std::size_t card, std::size_t location) const;

signals:
    // A connected copy's button was pressed.
    void revealRequested(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Place {
        std::size_t card;
        std::size_t location;
    };
    std::optional<Place> placeAt(QPointF point) const;
    double cardTop(std::size_t card) const;
    double cardHeight(std::size_t card) const;
    void setHovered(std::optional<Place> place);
    // The connected copies' buttons in reading order.
    std::vector<Place> reachable() const;
    void setFocused(std::optional<Place> place);

    std::vector<Card> cards_;
    std::vector<double> tops_;  // each card's top, and the end of the last
    std::optional<Place> hovered_;
    std::optional<Place> pressed_;
    std::optional<Place> focused_;  // the button the keyboard is on
    FocusRing ring_{*this};
};

}  // namespace quillane
