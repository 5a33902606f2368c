#include "Views/Settings/SettingsForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Views/Kit/Dividers.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Picker.h"
#include "Views/Kit/Toggle.h"

namespace quillane {

namespace {
// The card behind a section's rows.
class SectionCard : public QWidget {
public:
    using QWidget::QWidget;
    bool framed = true;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!framed) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Theme::stroke(), 1));
        painter.setBrush(Theme::card());
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
    }
};
}  // namespace

FormSection::FormSection(const QString& header, const QString& footer, QWidget* parent) : QWidget(parent) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    if (!header.isEmpty()) {
        auto* title = new TextLabel(header, Fonts::text(12, QFont::DemiBold), Theme::secondary());
        title->setObjectName(QStringLiteral("sectionHeader"));
        title->setContentsMargins(4, 0, 0, 0);
        stack->addWidget(title);
    }
    card_ = new SectionCard;
    rows_ = new QVBoxLayout(card_);
    rows_->setContentsMargins(14, 4, 14, 4);
    rows_->setSpacing(0);
    stack->addWidget(card_);
    footer_ = wrappingLabel(footer, Fonts::text(11.5), Theme::tertiary());
    footer_->setObjectName(QStringLiteral("sectionFooter"));
    footer_->setContentsMargins(4, 0, 4, 0);
    stack->addWidget(footer_);
    // Once in its place: a widget without a parent that is shown opens as a window of its own.
    footer_->setVisible(!footer.isEmpty());
}

void FormSection::setFramed(bool framed) {
    static_cast<SectionCard*>(card_)->framed = framed;
    rows_->setContentsMargins(framed ? 14 : 0, framed ? 4 : 0, framed ? 14 : 0, framed ? 4 : 0);
    card_->update();
}

void FormSection::addRow(QWidget* row) {
    if (rows_->count() > 0) rows_->addWidget(new HDivider);
    rows_->addWidget(row);
}

QWidget* FormSection::addControlRow(const QString& text, QWidget* control) {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 8, 0, 8);
    line->setSpacing(12);
    auto* label = wrappingLabel(text, Fonts::text(13), Theme::text(), Qt::AlignLeft | Qt::AlignVCenter);
    label->setObjectName(QStringLiteral("rowText"));
    line->addWidget(label, 1);
    line->addWidget(control, 0, Qt::AlignVCenter);
    addRow(row);
    return row;
}

Toggle* FormSection::addToggle(const QString& text) {
    auto* toggle = new Toggle;
    toggle->setAccessibleName(text);
    addControlRow(text, toggle);
    return toggle;
}

Picker* FormSection::addPicker(const QString& text, const QStringList& entries) {
    auto* picker = new Picker;
    for (const QString& entry : entries) picker->addItem(entry);
    picker->setAccessibleName(text);
    addControlRow(text, picker);
    return picker;
}

QWidget* stackedRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* stack = new QVBoxLayout(row);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    for (QWidget* widget : widgets) stack->addWidget(widget);
    return row;
}

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(24, 28, 24, 24);
    column_->setSpacing(22);
    scroll->setWidget(content);
    outer->addWidget(scroll);
}

void SettingsPage::addSection(QWidget* section) { column_->addWidget(section); }
void SettingsPage::finish() { column_->addStretch(1); }

}  // namespace quillane
