#include "Views/TransferColumn/DestinationBars.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

#include "Model/AppModel.h"
#include "Support/Lang.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Kit/Animations.h"
#include "Views/Kit/ButtonStyle.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Tone.h"
#include "Views/TransferColumn/ColumnInputs.h"

namespace quillane {
namespace {

constexpr double barHeight = 8;
constexpr int iconSide = 16;

// A plain text button in the accent colour, with a symbol.
ButtonStyle linkStyle() {
    ButtonStyle style = ButtonStyles::text(Theme::accent(), Fonts::text(11, QFont::Medium), 18);
    style.symbolSpacing = 4;
    return style;
}

}  // namespace

ProgressTrack::ProgressTrack(QWidget* parent) : QWidget(parent) {
    setFixedHeight(static_cast<int>(barHeight));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressTrack::setFraction(double fraction, const QColor& color) {
    const bool recolour = color != color_;
    color_ = color;
    if (fraction != target_) {
        const bool first = target_ < 0;
        target_ = fraction;
        if (first) setShownFraction(fraction);
        else Animations::animate(this, "fraction", fraction, 250, QEasingCurve::Linear);
    } else if (recolour) {
        update();
    }
}

void ProgressTrack::setShownFraction(double fraction) {
    shown_ = fraction;
    update();
}

void ProgressTrack::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double radius = barHeight / 2;
    painter.setBrush(Theme::opacity(Qt::white, 0.07));
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    if (shown_ <= 0) return;
    const double fill = std::max(width() * std::min(shown_, 1.0), barHeight);
    painter.setBrush(color_);
    painter.drawRoundedRect(QRectF(0, 0, fill, barHeight), radius, radius);
}

DestinationBarView::DestinationBarView(std::function<void(const std::filesystem::path&)> showFolder, QWidget* parent)
    : QWidget(parent), showFolder_(std::move(showFolder)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* line = line_ = new QHBoxLayout;
    line->setSpacing(8);
    icon_ = new QLabel(this);
    icon_->setFixedSize(iconSide, iconSide);
    name_ = new TextLabel(QString(), Fonts::text(12.5, QFont::DemiBold), Theme::text(), this);
    name_->setObjectName(QStringLiteral("destinationName"));
    folderButton_ = new StyledButton(linkStyle(), QString(), QStringLiteral("folder"), this);
    folderButton_->setObjectName(QStringLiteral("showFolder"));
    connect(folderButton_, &QAbstractButton::clicked, this, [this] {
        if (folder_ && showFolder_) showFolder_(*folder_);
    });
    status_ = new TextLabel(QString(), Fonts::text(11.5, QFont::Medium), Theme::secondary(), this);
    status_->setElideMode(Qt::ElideMiddle);
    status_->setObjectName(QStringLiteral("destinationStatus"));
    status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->addWidget(icon_);
    line->addWidget(name_, 0);
    line->addWidget(folderButton_);
    line->addStretch(1);
    line->addSpacing(8);
    line->addWidget(status_, 0);
    column->addLayout(line);
    bar_ = new ProgressTrack(this);
    bar_->setObjectName(QStringLiteral("destinationBar"));
    column->addWidget(bar_);
    buttonLine_ = new QHBoxLayout;
    buttonLine_->addStretch(1);
    column->addLayout(buttonLine_);
}

void DestinationBarView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeFolderButton();
}

void DestinationBarView::placeFolderButton() {
    line_->invalidate();
    int whole = line_->sizeHint().width();
    if (buttonBelow_) whole += line_->spacing() + folderButton_->sizeHint().width();
    const bool below = !folderButton_->isHidden() && whole > width();
    if (below == buttonBelow_) return;
    buttonBelow_ = below;
    if (below) {
        line_->removeWidget(folderButton_);
        buttonLine_->insertWidget(0, folderButton_);
    } else {
        buttonLine_->removeWidget(folderButton_);
        line_->insertWidget(line_->indexOf(name_) + 1, folderButton_);
    }
}

void DestinationBarView::setRow(const DestinationBarLook& row, const QPixmap& icon) {
    icon_->setVisible(!icon.isNull());
    if (!icon.isNull()) icon_->setPixmap(icon);
    name_->setText(QString::fromStdString(row.name));
    // The drive's name stays whole; a long status (an error text) gives way, cut in the middle.
    name_->setMinimumWidth(name_->sizeHint().width());
    folder_ = row.folder;
    folderButton_->setVisible(row.folder.has_value());
    if (row.folder) {
        folderButton_->setText(lq("Toon in bestandsbeheerder", "Show in file manager"));
        folderButton_->setToolTip(QString::fromStdString(row.folder->string()).toHtmlEscaped());
    }
    status_->setText(QString::fromStdString(row.status));
    status_->setColor(toneColor(row.statusTone));
    bar_->setFraction(row.fraction, toneColor(row.tone));
    placeFolderButton();
}

DestinationBars::DestinationBars(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), layout_(new QVBoxLayout(this)), placeholder_(nullptr), views_(layout_, 1) {
    setObjectName(QStringLiteral("destinationBars"));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(14);
    placeholder_ = new TextLabel(QString(), Fonts::text(12), Theme::tertiary(), this);
    placeholder_->setObjectName(QStringLiteral("destinationPlaceholder"));
    placeholder_->setAlignment(Qt::AlignCenter);
    layout_->addWidget(placeholder_);
    refresh();
}

void DestinationBars::refresh() {
    placeholder_->setText(QString::fromStdString(destinationBarsPlaceholder()));
    std::vector<DestinationBarLook> rows = destinationBarRows(destinationBarsInput(model_));
    if (refreshed_ && rows == rows_) return;
    refreshed_ = true;
    rows_ = std::move(rows);
    placeholder_->setVisible(rows_.empty());
    views_.sync(
        rows_, [](const DestinationBarLook& row) { return QString::fromStdString(row.id); },
        [this](const DestinationBarLook&) {
            return new DestinationBarView([this](const std::filesystem::path& folder) { showFolder(folder); }, this);
        },
        [this](DestinationBarView* view, const DestinationBarLook& row) {
            QPixmap icon;
            if (row.showsIcon) {
                for (const DriveState& drive : model_.drives())
                    if (drive.id() == row.id)
                        icon = driveIcon(drive.icon).pixmap(QSize(iconSide, iconSide), devicePixelRatioF());
            }
            view->setRow(row, icon);
        });
}

void DestinationBars::showFolder(const std::filesystem::path& folder) {
    // The model gives the demo notice, or opens the nearest folder that still exists.
    model_.openFolder(folder);
}

}  // namespace quillane
