#pragma once
#include <QVariantList>
#include <QWidget>

#include <optional>
#include <vector>

#include "Views/History/ProjectOverviewLook.h"
#include "Views/Kit/TapeLettering.h"

namespace quillane {

// The cards of one shoot day, one 50-point row each, on a rounded card: roll tape, card name and
// details, a chip per drive and the copies badge. Painted as one widget, so a project of
// hundreds of cards stays cheap to show; the chips' tool tips come from their painted places.
class RollList : public QWidget {
    Q_OBJECT
public:
    explicit RollList(std::vector<ProjectOverviewLook::RollRow> rows, QWidget* parent = nullptr);
    const std::vector<ProjectOverviewLook::RollRow>& rows() const { return rows_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    static constexpr int rowHeight = 50;
    // A row whose drive chips have a line of their own under the card's texts.
    static constexpr int wrappedRowHeight = 80;

    // What a row needs across: its texts (name or detail, the wider), its chips side by side.
    struct RowNeeds {
        double text = 0;
        double chips = 0;
    };
    // The badges' frame, as wide as the widest badge of the list (at least 104) so that they line up.
    static double badgeFrameWidth(const std::vector<double>& badgeWidths);
    // Whether the chips go under the texts, in every row alike: when at `width` some row would leave
    // its texts less room than they need beside its chips and the badge frame.
    static bool chipsOnOwnLine(double width, double badgeFrame, const std::vector<RowNeeds>& needs);

    // Where a row's chips and badge lie, for painting, tool tips and tests.
    struct RowPlaces {
        QRectF row;
        QRectF text;
        std::vector<QRectF> chips;
        QRectF badge;
    };
    RowPlaces places(std::size_t index) const;
    // Every row as painted, for checks of the layout: its bounds, parts and text widths.
    Q_INVOKABLE QVariantList paintedRows() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int rowHeightAt(int width) const;

    std::vector<ProjectOverviewLook::RollRow> rows_;
    std::vector<RowNeeds> needs_;
    double badgeFrame_ = 0;
    // One per row, laid out when the row is first drawn (most rows of a long project never are).
    mutable std::vector<std::optional<TapeLettering::Layout>> tapes_;
};

}  // namespace quillane
