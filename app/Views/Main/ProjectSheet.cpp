#include "Views/Main/ProjectSheet.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/DialogFocus.h"
#include "Views/Kit/FocusOrder.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/HeightForWidth.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainStyles.h"
#include "Views/Main/SheetLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

// The project name field: a line edit on a sunken rounded box, accent-edged while focused.
class NameField : public QWidget {
public:
    explicit NameField(QWidget* parent) : QWidget(parent), edit(new QLineEdit(this)) {
        setFixedHeight(46);
        edit->setObjectName(QStringLiteral("projectNameField"));
        edit->setFrame(false);
        // The box is painted here; the line edit only holds the text.
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; }"));
        edit->setFont(Fonts::text(18, QFont::Medium));
        edit->setAttribute(Qt::WA_MacShowFocusRect, false);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(14, 0, 14, 0);
        layout->addWidget(edit);
        edit->installEventFilter(this);
    }
    QLineEdit* edit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
        return QWidget::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(edit->hasFocus() ? Theme::opacity(Theme::accent(), 0.7) : Theme::stroke(), 1));
        painter.setBrush(Theme::well());
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    }
};

// One recent project: folder, name, and an arrow at the far end; the whole row takes the click.
class RecentProjectRow : public PaintedButton {
public:
    RecentProjectRow(const QString& name, QWidget* parent) : PaintedButton(parent), name_(name) {
        setObjectName(QStringLiteral("recentProject"));
        setText(name);
        setFixedHeight(32);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {300, 32}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isHovered() || isDown()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::opacity(Qt::white, isDown() ? 0.08 : 0.05));
            painter.drawRoundedRect(rect(), 8, 8);
        }
        const double icon = Symbols::side(13);
        Symbols::paint(painter, QRectF(10, (height() - icon) / 2, icon, icon), QStringLiteral("folder"), Theme::tertiary());
        const double arrow = Symbols::side(10);
        Symbols::paint(painter, QRectF(width() - 10 - arrow, (height() - arrow) / 2, arrow, arrow),
                       QStringLiteral("arrow.right"), Theme::tertiary());
        const QFont font = Fonts::text(13);
        const QRectF textArea(10 + icon + 8, 0, width() - 2 * 10 - icon - arrow - 16, height());
        painter.setFont(font);
        painter.setPen(Theme::text());
        painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                         QFontMetricsF(font).elidedText(name_, Qt::ElideRight, textArea.width()));
    }

private:
    QString name_;
};

ProjectSheet::ProjectSheet(AppModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("projectSheet"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QString::fromUtf8(Product::name));
    HeightForWidth::keep(*this, 460);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 28, 28, 28);
    column->setSpacing(22);

    auto* brand = new QHBoxLayout();
    brand->setSpacing(10);
    brand->addWidget(new BrandLogo(30, this));
    brand->addWidget(MainStyles::label(QString::fromUtf8(Product::name),
                                       Fonts::expanded(Fonts::text(16, QFont::ExtraBold)), Theme::text(), this));
    brand->addStretch(1);
    column->addLayout(brand);

    auto* heading = new QVBoxLayout();
    heading->setSpacing(6);
    auto* title = new TextLine(Fonts::expanded(Fonts::text(22, QFont::ExtraBold)), Theme::text(), this);
    title->setWrapping(true);
    title->setText(lq("Welk project ga je overzetten?", "Which project are you transferring?"));
    auto* line = new TextLine(Fonts::text(12.5), Theme::secondary(), this);
    line->setWrapping(true);
    line->setText(lq("De projectnaam wordt de hoofdmap op elke SSD.",
                       "The project name becomes the top folder on every SSD."));
    heading->addWidget(title);
    heading->addWidget(line);
    column->addLayout(heading);

    field_ = new NameField(this);
    field_->edit->setPlaceholderText(lq("Projectnaam", "Project name"));
    column->addWidget(field_);

    recentSection_ = new QWidget(this);
    auto* recent = new QVBoxLayout(recentSection_);
    recent->setContentsMargins(0, 0, 0, 0);
    recent->setSpacing(8);
    recent->addWidget(new SectionLabel(QStringLiteral("Recent"), std::nullopt, recentSection_));
    recentRows_ = new QVBoxLayout();
    recentRows_->setSpacing(2);
    recent->addLayout(recentRows_);
    column->addWidget(recentSection_);

    auto* buttons = new QHBoxLayout();
    cancel_ = new StyledButton(ButtonStyles::secondary(), lq("Annuleren", "Cancel"), {}, this);
    cancel_->setObjectName(QStringLiteral("projectCancel"));
    start_ = new StyledButton(ButtonStyles::primary(), QStringLiteral("Start"), {}, this);
    start_->setObjectName(QStringLiteral("projectStart"));
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    buttons->addWidget(start_);
    column->addLayout(buttons);

    auto* keys = new DialogFocus(*this);
    keys->setFirst(field_->edit);
    keys->setDefaultButton(start_);
    connect(cancel_, &QAbstractButton::clicked, this, &ProjectSheet::reject);
    connect(start_, &QAbstractButton::clicked, this, &ProjectSheet::start);
    connect(field_->edit, &QLineEdit::textChanged, this, &ProjectSheet::refresh);
    refresh();
}

bool ProjectSheet::dismissable() const { return !model_.projectName().empty(); }

void ProjectSheet::refresh() {
    const ProjectSheetLook look = projectSheetLook(field_->edit->text().toStdString(), model_.projectName(),
                                                      model_.settings().recentProjects);
    start_->setEnabled(look.startEnabled);
    cancel_->setVisible(look.cancelShown);
    recentSection_->setVisible(!look.recent.empty());
    if (recentRows_->count() == static_cast<int>(look.recent.size())) return;
    while (QLayoutItem* item = recentRows_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const std::string& project : look.recent) {
        auto* row = new RecentProjectRow(QString::fromStdString(project), recentSection_);
        connect(row, &QAbstractButton::clicked, this, [this, project] {
            field_->edit->setText(QString::fromStdString(project));
            start();
        });
        recentRows_->addWidget(row);
    }
}

void ProjectSheet::start() {
    const std::string name = field_->edit->text().toStdString();
    if (!projectNameUsable(name)) return;
    model_.setProject(name);
    accept();
}

void ProjectSheet::reject() {
    // Without a project the sheet stays until one is chosen.
    if (dismissable()) QDialog::reject();
}

void ProjectSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore after a minimise shows the sheet again: what was typed stays.
    if (event->spontaneous()) return;
    field_->edit->setText(QString::fromStdString(model_.projectName()));
    refresh();
}

void ProjectSheet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::background());
}

bool ProjectSheet::focusNextPrevChild(bool next) { return FocusOrder::move(*this, next); }

}  // namespace quillane
