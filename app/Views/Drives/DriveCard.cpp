#include "Views/Drives/DriveCard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Drives/DriveCardLook.h"
#include "Views/Drives/DriveMenu.h"
#include "Views/Drives/RecognitionChip.h"
#include "Views/Kit/CapacityBar.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {

QIcon driveIcon(DriveIcon icon) {
    // Always the bundled pictures, so a drive looks the same on every machine and in the theme.
    switch (icon) {
    case DriveIcon::removable: return QIcon(QStringLiteral(":/icons/own/drive-card.svg"));
    case DriveIcon::internal: return QIcon(QStringLiteral(":/icons/own/drive-internal.svg"));
    case DriveIcon::external: break;
    }
    return QIcon(QStringLiteral(":/icons/own/drive-external.svg"));
}

// The 40 × 40 drive picture, faded while the card is dimmed.
class IconView : public QWidget {
public:
    IconView() { setFixedSize(40, 40); }
    void set(const QIcon& icon, double opacity) {
        icon_ = icon;
        opacity_ = opacity;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setOpacity(opacity_);
        icon_.paint(&painter, rect());
    }

private:
    QIcon icon_;
    double opacity_ = 1;
};

// The free space with the recognition chip at the end of its line. When the free space would not
// fit whole beside the chip, the chip moves below it, to the end of a line of its own.
class CapacityLine : public QWidget {
public:
    CapacityLine(TextLabel* free, QWidget* chip) : free_(free), chip_(chip) {
        free_->setParent(this);
        chip_->setParent(this);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    QSize sizeHint() const override {
        return {free_->sizeHint().width() + gap + chip_->sizeHint().width(), lineHeight()};
    }
    QSize minimumSizeHint() const override { return {chip_->sizeHint().width(), lineHeight()}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        return beside(width) ? lineHeight() : free_->sizeHint().height() + lineGap + chip_->sizeHint().height();
    }

protected:
    bool event(QEvent* event) override {
        // A new text or chip changes what fits on one line.
        if (event->type() == QEvent::LayoutRequest) {
            updateGeometry();
            place();
        }
        return QWidget::event(event);
    }
    void resizeEvent(QResizeEvent*) override { place(); }

private:
    static constexpr int gap = 10;
    static constexpr int lineGap = 4;
    int lineHeight() const { return std::max(free_->sizeHint().height(), chip_->sizeHint().height()); }
    bool beside(int width) const { return sizeHint().width() <= width; }
    void place() {
        const QSize free = free_->sizeHint();
        const QSize chip = chip_->sizeHint();
        if (beside(width())) {
            free_->setGeometry(0, (height() - free.height()) / 2, width() - gap - chip.width(), free.height());
            chip_->setGeometry(width() - chip.width(), (height() - chip.height()) / 2, chip.width(), chip.height());
        } else {
            free_->setGeometry(0, 0, width(), free.height());
            chip_->setGeometry(width() - chip.width(), free.height() + lineGap, chip.width(), chip.height());
        }
    }

    TextLabel* free_;
    QWidget* chip_;
};

DriveCard::DriveCard(AppModel& model, const DriveState& drive, QWidget* parent)
    : QWidget(parent), model_(model), drive_(drive) {
    setObjectName(QStringLiteral("driveCard"));
    setFocusPolicy(Qt::TabFocus);
    // Never shorter than its content, and as tall as wrapped lines in the footer need at its width
    // (an error text that wraps onto several lines), which a fixed height would cut off.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    stack_ = new QVBoxLayout(this);
    stack_->setContentsMargins(12, 12, 12, 12);
    stack_->setSpacing(12);
    mainRow_ = new QHBoxLayout;
    mainRow_->setSpacing(12);
    stack_->addLayout(mainRow_);

    icon_ = new IconView;
    mainRow_->addWidget(icon_, 0, Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->setSpacing(3);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(6);
    name_ = new TextLabel({}, Fonts::text(13, QFont::DemiBold), Theme::text());
    name_->setObjectName(QStringLiteral("driveName"));
    menu_ = new DriveMenu(model_, drive_);
    nameRow->addWidget(name_, 1);
    nameRow->addSpacing(4);
    nameRow->addWidget(menu_);
    text->addLayout(nameRow);
    subtitle_ = new TextLabel({}, Fonts::text(11.5), Theme::secondary());
    subtitle_->setObjectName(QStringLiteral("driveSubtitle"));
    text->addWidget(subtitle_);
    text->addSpacing(5 - 3);
    bar_ = new CapacityBar(0, 0, Theme::secondary());
    bar_->setObjectName(QStringLiteral("capacityBar"));
    text->addWidget(bar_);
    text->addSpacing(2);
    free_ = new TextLabel({}, Fonts::text(11), Theme::tertiary());
    free_->setObjectName(QStringLiteral("freeSpace"));
    chip_ = new RecognitionChip(model_, drive_);
    text->addWidget(new CapacityLine(free_, chip_));
    mainRow_->addLayout(text, 1);

    // The role and the texts follow the model: a role the user chose, learned roles, the language.
    connect(&model_, &AppModel::changed, this, [this](ModelFields fields) {
        if (fields.contains(ModelField::drives)) {
            for (const DriveState& current : model_.drives())
                if (current.info.id == drive_.info.id) return setDrive(current);
        }
        if (fields.intersects({ModelField::sessionRoles, ModelField::settings})) refresh();
    });
    refresh();
}

void DriveCard::setDrive(const DriveState& drive) {
    drive_ = drive;
    menu_->setDrive(drive_);
    chip_->setDrive(drive_);
    refresh();
}

void DriveCard::refresh() {
    const DriveCardText text = driveCardText(drive_, model_.role(drive_));
    name_->setText(QString::fromStdString(drive_.info.name));
    name_->setColor(dimmed_ ? Theme::secondary() : Theme::text());
    subtitle_->setText(text.subtitle);
    bar_->setValues(text.usedFraction, 0, Theme::secondary());
    free_->setText(text.freeSpace);
    icon_->set(driveIcon(drive_.icon), dimmed_ ? 0.45 : 1.0);
    chip_->setDrive(drive_);
    update();
}

void DriveCard::setSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    update();
}

void DriveCard::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) return;
    dimmed_ = dimmed;
    refresh();
}

void DriveCard::setLeading(QWidget* widget) {
    delete leading_.data();
    leading_ = widget;
    if (widget != nullptr) mainRow_->insertWidget(0, widget, 0, Qt::AlignTop);
}

void DriveCard::setFooter(QWidget* widget) {
    delete footer_.data();
    footer_ = widget;
    if (widget != nullptr) stack_->addWidget(widget);
}

void DriveCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(selected_ ? Theme::opacity(Theme::accent(), 0.07) : Theme::card());
    painter.drawRoundedRect(bounds, 12, 12);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selected_ ? Theme::opacity(Theme::accent(), 0.55) : Theme::stroke(), 1));
    painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), 11.5, 11.5);
    // Inside the card's edge, apart from it: the edge itself marks the selected card.
    if (ring_.isShown()) FocusRing::paint(painter, bounds.adjusted(3, 3, -3, -3), 9);
}

void DriveCard::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void DriveCard::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (pressed_ && event->button() == Qt::LeftButton && inside) emit clicked();
    pressed_ = false;
    event->accept();
}

void DriveCard::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace quillane
