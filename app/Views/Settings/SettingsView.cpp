#include "Views/Settings/SettingsView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Notifications/PhonePush.h"
#include "Product/Product.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/FocusOrder.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/PaintedButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Settings/RecognitionSettings.h"
#include "Views/Settings/SettingsTabLook.h"
#include "Views/Settings/TransferSettings.h"

#include "Views/StructureEditor/StructureSettings.h"

namespace quillane {

// One tab of the sidebar: symbol and title, accent while selected, lighter while hovered.
class SidebarItem : public PaintedButton {
public:
    SidebarItem(SettingsTab tab, QWidget* parent = nullptr) : PaintedButton(parent), tab_(tab) {
        setObjectName(QStringLiteral("tab-") + SettingsTabs::id(tab));
        setText(SettingsTabs::title(tab));
        setCheckable(true);
        setFixedHeight(34);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    SettingsTab tab() const { return tab_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool selected = isChecked();
        const QColor fill = selected ? Theme::opacity(Theme::accent(), 0.13)
                                     : Theme::opacity(Qt::white, isHovered() ? 0.05 : 0.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
        const QColor ink = selected ? Theme::accent() : (isHovered() ? Theme::text() : Theme::secondary());
        Symbols::paint(painter, QRectF(10, 0, 18, height()).adjusted(0, 9, 0, -9), SettingsTabs::symbol(tab_), ink,
                       QFont::Medium);
        painter.setFont(Fonts::text(13, selected ? QFont::DemiBold : QFont::Medium));
        painter.setPen(ink);
        painter.drawText(QRectF(10 + 18 + 10, 0, width() - 48, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
    }

private:
    SettingsTab tab_;
};

namespace {
// The sidebar's card-coloured ground.
class Sidebar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Theme::card()); }
};
}  // namespace

SettingsView::SettingsView(AppModel& model, QWidget* parent, std::string pushServer)
    : QWidget(parent, Qt::Window),
      model_(model),
      pushServer_(pushServer.empty() ? PhonePush::defaultServer() : std::move(pushServer)),
      builtLanguage_(Lang::current.load()) {
    setObjectName(QStringLiteral("settingsWindow"));
    setMinimumSize(760, 520);
    resize(1240, 840);
    setAutoFillBackground(true);
    frame_ = new QHBoxLayout(this);
    frame_->setContentsMargins(0, 0, 0, 0);
    frame_->setSpacing(0);
    build();

    connect(&model_, &AppModel::changed, this, [this](ModelFields fields) {
        if (fields.contains(ModelField::settings) && Lang::current.load() != builtLanguage_) {
            // The window's content carries the language: build it anew, from the first tab.
            builtLanguage_ = Lang::current.load();
            tab_ = SettingsTab::structure;
            build();
        }
    });
}

void SettingsView::build() {
    while (QLayoutItem* item = frame_->takeAt(0)) {
        if (QWidget* widget = item->widget()) widget->deleteLater();
        delete item;
    }
    items_.clear();
    setWindowTitle(lq("Instellingen", "Settings"));

    sidebar_ = new Sidebar;
    sidebar_->setFixedWidth(220);
    auto* stack = new QVBoxLayout(sidebar_);
    stack->setContentsMargins(12, 44, 12, 16);
    stack->setSpacing(4);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(10, 0, 10, 18);
    header->setSpacing(10);
    header->addWidget(new BrandLogo(24));
    header->addWidget(new TextLabel(lq("Instellingen", "Settings"),
                                    Fonts::text(14, QFont::DemiBold), Theme::text()),
                      1);
    stack->addLayout(header);
    for (const SettingsTab tab : SettingsTabs::allCases) {
        auto* item = new SidebarItem(tab);
        connect(item, &QAbstractButton::clicked, this, [this, tab] { selectTab(tab); });
        items_.push_back(item);
        stack->addWidget(item);
    }
    stack->addStretch(1);
    auto* version = new TextLabel(QString::fromLatin1(Product::name) + QLatin1Char(' ') +
                                      QString::fromLatin1(Product::version),
                                  Fonts::text(11), Theme::tertiary());
    version->setObjectName(QStringLiteral("version"));
    version->setContentsMargins(10, 0, 10, 0);
    stack->addWidget(version);
    frame_->addWidget(sidebar_);
    frame_->addWidget(new VDivider);
    buildTab();
}

void SettingsView::buildTab() {
    for (SidebarItem* item : items_) item->setChecked(item->tab() == tab_);
    if (content_ != nullptr) {
        frame_->removeWidget(content_);
        content_->hide();
        content_->deleteLater();
    }
    switch (tab_) {
    case SettingsTab::structure: content_ = new StructureSettings(model_); break;
    case SettingsTab::transfer: content_ = new TransferSettings(model_, pushServer_); break;
    case SettingsTab::recognition: content_ = new RecognitionSettings(model_); break;
    }
    frame_->addWidget(content_, 1);
}

void SettingsView::selectTab(SettingsTab tab) {
    if (tab == tab_ && content_ != nullptr) {
        // A click on the selected item unchecks it; the selected tab stays marked.
        for (SidebarItem* item : items_) item->setChecked(item->tab() == tab_);
        return;
    }
    tab_ = tab;
    buildTab();
}

void SettingsView::openWindow() {
    show();
    raise();
    activateWindow();
}

bool SettingsView::focusNextPrevChild(bool next) { return FocusOrder::move(*this, next); }

}  // namespace quillane
