#pragma once
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

    static constexpr int rowHeight = 50;

    // Where a row's chips and badge lie, for painting, tool tips and tests.
    struct RowPlaces {
        QRectF row;
        QRectF text;
        std::vector<QRectF> chips;
        QRectF badge;
    };
    RowPlaces places(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::vector<ProjectOverviewLook::RollRow> rows_;
    // One per row, laid out when the row is first drawn (most rows of a long project never are).
    mutable std::vector<std::optional<TapeLettering::Layout>> tapes_;
};

}  // namespace quillane
