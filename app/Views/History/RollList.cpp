#include "Views/History/RollList.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "Views/Kit/CopiesBadge.h"
#include "Views/Kit/DriveChip.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {

constexpr double padX = 14, gap = 12, tapeFrame = 56, minSpacer = 10, chipGap = 5, badgeFrame = 104;
constexpr double tapeSize = 13, tapeTilt = -1.5;
constexpr int dividerHeight = 1;

QFont nameFont() { return Fonts::text(12.5, QFont::DemiBold); }
QFont detailFont() { return Fonts::text(11); }

}  // namespace

RollList::RollList(std::vector<ProjectOverviewLook::RollRow> rows, QWidget* parent)
    : QWidget(parent), rows_(std::move(rows)) {
    setObjectName("rollList");
    tapes_.resize(rows_.size());
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    const QFontMetricsF name(nameFont()), detail(detailFont());
    std::vector<double> badges;
    for (const auto& row : rows_) {
        RowNeeds need{std::max(name.horizontalAdvance(QString::fromStdString(row.sourceName)),
                               detail.horizontalAdvance(QString::fromStdString(row.detail))),
                      0};
        for (const auto& chip : row.chips)
            need.chips += DriveChip::capsule(chip).size().width() + (need.chips > 0 ? chipGap : 0);
        needs_.push_back(need);
        badges.push_back(CopiesBadge::capsule(copiesBadgeLook(row.copies, row.verified)).size().width());
    }
    badgeFrame_ = badgeFrameWidth(badges);
}

double RollList::badgeFrameWidth(const std::vector<double>& badgeWidths) {
    double frame = badgeFrame;
    for (const double width : badgeWidths) frame = std::max(frame, std::ceil(width));
    return frame;
}

bool RollList::chipsOnOwnLine(double width, double badgeFrame, const std::vector<RowNeeds>& needs) {
    const double fixed = padX + tapeFrame + gap + gap + minSpacer + gap + badgeFrame + padX;
    return std::any_of(needs.begin(), needs.end(), [&](const RowNeeds& need) {
        return fixed + need.text + (need.chips > 0 ? need.chips + gap : 0) > width;
    });
}

int RollList::rowHeightAt(int width) const {
    return chipsOnOwnLine(width, badgeFrame_, needs_) ? wrappedRowHeight : rowHeight;
}

int RollList::heightForWidth(int width) const {
    const int n = static_cast<int>(rows_.size());
    return n * rowHeightAt(width) + std::max(n - 1, 0) * dividerHeight;
}

QSize RollList::sizeHint() const { return QSize(600, heightForWidth(600)); }

QSize RollList::minimumSizeHint() const {
    const int n = static_cast<int>(rows_.size());
    return QSize(320, n * rowHeight + std::max(n - 1, 0) * dividerHeight);
}

RollList::RowPlaces RollList::places(std::size_t index) const {
    const auto& row = rows_.at(index);
    const int height = rowHeightAt(width());
    const bool wrapped = height == wrappedRowHeight;
    RowPlaces places;
    const double top = static_cast<double>(index) * (height + dividerHeight);
    places.row = QRectF(0, top, width(), height);

    const QSizeF badge = CopiesBadge::capsule(copiesBadgeLook(row.copies, row.verified)).size();
    places.badge = QRectF(QPointF(width() - padX - badge.width(), top + (rowHeight - badge.height()) / 2), badge);

    const double textLeft = padX + tapeFrame + gap;
    const double chipsWidth = needs_.at(index).chips;
    double x = wrapped ? textLeft : width() - padX - badgeFrame_ - gap - chipsWidth;
    const double chipsTop = wrapped ? top + rowHeight : top;
    const double chipsHeight = wrapped ? wrappedRowHeight - rowHeight - 10 : rowHeight;
    for (const auto& chip : row.chips) {
        const QSizeF size = DriveChip::capsule(chip).size();
        places.chips.emplace_back(QPointF(x, chipsTop + (chipsHeight - size.height()) / 2), size);
        x += size.width() + chipGap;
    }
    const double textRight = wrapped ? width() - padX - badgeFrame_ - gap
                                     : width() - padX - badgeFrame_ - gap - chipsWidth - gap - minSpacer - gap;
    places.text = QRectF(textLeft, top, std::max(textRight - textLeft, 0.0), rowHeight);
    return places;
}

QVariantList RollList::paintedRows() const {
    QVariantList rows;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const RowPlaces at = places(i);
        QVariantList parts{at.text, at.badge};
        for (const QRectF& chip : at.chips) parts << chip;
        rows << QVariantMap{{"name", QString::fromStdString(rows_[i].roll)},
                            {"bounds", at.row},
                            {"parts", parts},
                            {"textWidth", at.text.width()},
                            {"textNeed", needs_[i].text}};
    }
    return rows;
}

void RollList::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.setBrush(Theme::card());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);

    const QFontMetricsF name(nameFont()), detail(detailFont());
    const double textHeight = name.height() + 2 + detail.height();
    const int stride = rowHeightAt(width()) + dividerHeight;
    const std::size_t first = static_cast<std::size_t>(std::max(event->rect().top() / stride, 0));
    for (std::size_t i = first; i < rows_.size(); ++i) {
        const RowPlaces at = places(i);
        if (at.row.top() > event->rect().bottom()) break;
        const auto& row = rows_[i];

        if (!tapes_[i]) tapes_[i] = TapeLabel::lettering(QString::fromStdString(row.roll), tapeSize);
        const QSize tape = TapeLabel::boxSize(*tapes_[i], tapeSize, tapeTilt);
        TapeLabel::paint(painter, QRectF(QPointF(padX, at.row.top() + (rowHeight - tape.height()) / 2), QSizeF(tape)),
                         *tapes_[i], tapeSize, tapeTilt);

        const double top = at.row.top() + (rowHeight - textHeight) / 2;
        painter.setFont(nameFont());
        painter.setPen(Theme::text());
        painter.drawText(QRectF(at.text.left(), top, at.text.width(), name.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         name.elidedText(QString::fromStdString(row.sourceName), Qt::ElideRight, at.text.width()));
        painter.setFont(detailFont());
        painter.setPen(Theme::tertiary());
        painter.drawText(QRectF(at.text.left(), top + name.height() + 2, at.text.width(), detail.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         detail.elidedText(QString::fromStdString(row.detail), Qt::ElideRight, at.text.width()));

        for (std::size_t c = 0; c < row.chips.size(); ++c)
            DriveChip::capsule(row.chips[c]).paint(painter, at.chips[c].topLeft());
        CopiesBadge::capsule(copiesBadgeLook(row.copies, row.verified)).paint(painter, at.badge.topLeft());

        if (i + 1 < rows_.size()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::hairline());
            painter.drawRect(QRectF(14, at.row.bottom(), width() - 28, dividerHeight));
        }
    }
}

bool RollList::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int stride = rowHeightAt(width()) + dividerHeight;
        const std::size_t index = static_cast<std::size_t>(std::max(help->pos().y() / stride, 0));
        if (index < rows_.size()) {
            const RowPlaces at = places(index);
            for (std::size_t c = 0; c < at.chips.size(); ++c) {
                if (at.chips[c].contains(help->pos())) {
                    QToolTip::showText(help->globalPos(), QString::fromStdString(rows_[index].chips[c].toolTip), this);
                    return true;
                }
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace quillane
