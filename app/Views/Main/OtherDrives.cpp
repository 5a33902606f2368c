#include "Views/Main/OtherDrives.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Drives/DriveMenu.h"
#include "Views/Kit/Animations.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

namespace {
QFont headerFont() { return Fonts::text(11.5, QFont::Medium); }
}  // namespace

OtherDrivesHeader::OtherDrivesHeader(QWidget* parent) : PaintedButton(parent) {
    setObjectName(QStringLiteral("otherDrivesHeader"));
    setFixedHeight(20);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void OtherDrivesHeader::setCount(int count) {
    count_ = count;
    update();
}

void OtherDrivesHeader::setTurn(qreal degrees) {
    turn_ = degrees;
    update();
}

QSize OtherDrivesHeader::sizeHint() const {
    const QFontMetricsF metrics(headerFont());
    return {static_cast<int>(metrics.horizontalAdvance(lq("Overige schijven", "Other drives") + " 99") + 30), 20};
}

void OtherDrivesHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = Symbols::side(9);
    painter.save();
    painter.translate(side / 2, height() / 2.0);
    painter.rotate(turn_);
    Symbols::paint(painter, QRectF(-side / 2, -side / 2, side, side), QStringLiteral("chevron.right"),
                   Theme::secondary(), QFont::Bold);
    painter.restore();
    const QString title = lq("Overige schijven", "Other drives");
    const QFontMetricsF metrics(headerFont());
    painter.setFont(headerFont());
    painter.setPen(Theme::secondary());
    double x = side + 6;
    painter.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, title);
    x += metrics.horizontalAdvance(title) + 6;
    painter.setPen(Theme::tertiary());
    painter.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, QString::number(count_));
}

namespace {
// The drive's picture, 20 × 20, faded.
class DriveIconView : public QWidget {
public:
    explicit DriveIconView(QWidget* parent) : QWidget(parent) { setFixedSize(20, 20); }
    void setIcon(DriveIcon icon) {
        icon_ = icon;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setOpacity(0.6);
        driveIcon(icon_).paint(&painter, rect());
    }

private:
    DriveIcon icon_ = DriveIcon::external;
};
}  // namespace

OtherDriveRow::OtherDriveRow(AppModel& model, const DriveState& drive, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("otherDriveRow"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    icon_ = new DriveIconView(this);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(1);
    name_ = new TextLine(Fonts::text(12), Theme::text(), this);
    name_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    reason_ = new TextLine(Fonts::text(10.5), Theme::tertiary(), this);
    reason_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    texts->addWidget(name_);
    texts->addWidget(reason_);
    menu_ = new DriveMenu(model, drive, this);
    row->addWidget(icon_);
    row->addLayout(texts, 1);
    row->addSpacing(4);
    row->addWidget(menu_);
    setDrive(drive);
}

void OtherDriveRow::setDrive(const DriveState& drive) {
    static_cast<DriveIconView*>(icon_)->setIcon(drive.icon);
    name_->setText(QString::fromStdString(drive.info.name));
    const auto& reasons = drive.classification.reasons;
    reason_->setText(reasons.empty() ? QString() : QString::fromStdString(reasons.front()));
    menu_->setDrive(drive);
}

OtherDrives::OtherDrives(AppModel& model, QWidget* parent) : QWidget(parent), model_(model), rows_(nullptr) {
    setObjectName(QStringLiteral("otherDrives"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    header_ = new OtherDrivesHeader(this);
    column->addWidget(header_);
    list_ = new QWidget(this);
    rowsLayout_ = new QVBoxLayout(list_);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(8);
    rows_ = KeyedRows<OtherDriveRow>(rowsLayout_);
    column->addWidget(list_);
    list_->hide();
    connect(header_, &QAbstractButton::clicked, this, [this] { setExpanded(!expanded_); });
    refresh();
}

void OtherDrives::setExpanded(bool expanded) {
    expanded_ = expanded;
    Animations::animate(header_, "turn", expanded ? 90.0 : 0.0, 150, QEasingCurve::OutQuad);
    list_->setVisible(expanded);
}

void OtherDrives::refresh() {
    const std::vector<DriveState> others = model_.otherDrives();
    setVisible(!others.empty());
    header_->setCount(static_cast<int>(others.size()));
    rows_.sync(
        others, [](const DriveState& d) { return QString::fromStdString(d.info.id); },
        [this](const DriveState& d) { return new OtherDriveRow(model_, d, list_); },
        [](OtherDriveRow* row, const DriveState& d) { row->setDrive(d); });
}

}  // namespace quillane
