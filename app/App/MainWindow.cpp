#include "App/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>

#include "App/ShellCommands.h"
#include "App/WindowSizes.h"
#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Views/Drives/DestinationRules.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/FocusRing.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SheetAnchor.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Main/AlertBox.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Settings/SettingsView.h"

namespace quillane {

MainWindow::MainWindow(AppModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model), language_(model.settings().language) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromUtf8(Product::name));
    setMinimumSize(1120, 700);
    resize(1300, 800);
    new SheetAnchor(*this);
    qtTexts_.follow(language_);
    buildMenus();
    rebuildView();
    connect(&navigation_, &WindowNavigation::settingsRequested, this, &MainWindow::openSettings);
    connect(&model_, &AppModel::changed, this, &MainWindow::modelChanged);
}

MainWindow::~MainWindow() {
    delete settings_;
    // The view reads the navigation, a member: it goes first.
    delete view_;
}

QWidget* MainWindow::settingsWindow() const { return settings_; }

QAction* MainWindow::action(const QString& name) const { return findChild<QAction*>(name); }

void MainWindow::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& shortcut, auto slot) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(shortcut));
        }
        connect(action, &QAction::triggered, this, slot);
        menu->addAction(action);
        return action;
    };
    file_ = menuBar()->addMenu(QString());
    add(file_, "settings", QStringLiteral("Ctrl+,"), [this] { navigation_.openSettings(); });
    file_->addSeparator();
    add(file_, "quit", QStringLiteral("Ctrl+Q"), [this] { close(); });

    transfer_ = menuBar()->addMenu(QStringLiteral("&Transfer"));
    add(transfer_, "changeProject", QStringLiteral("Ctrl+Shift+P"), [this] { model_.setShowProjectSheet(true); });
    add(transfer_, "createFolders", QString(), [this] { model_.requestFolders(false, false); });
    add(transfer_, "startTransfer", QStringLiteral("Ctrl+Return"), [this] { model_.requestTransfer(); });
    transfer_->addSeparator();
    add(transfer_, "demo", QString(), [this] {
        if (model_.demoState() == DemoState::off) model_.startDemo();
        else model_.stopDemo();
    });
    transfer_->addSeparator();
    add(transfer_, "history", QStringLiteral("Ctrl+Y"), [this] { navigation_.showHistory(); });
    add(transfer_, "findClip", QStringLiteral("Ctrl+F"), [this] { navigation_.findClip(); });

    help_ = menuBar()->addMenu(QString());
    add(help_, "about", QString(), [this] {
        auto* about = new AlertBox(QString::fromUtf8(Product::name),
                                   QStringLiteral("%1 %2").arg(QString::fromUtf8(Product::name),
                                                               QString::fromUtf8(Product::version)),
                                   this);
        about->setObjectName(QStringLiteral("aboutBox"));
        about->setMark(new BrandLogo(64));
        about->setEscapeButton(about->addButton(QStringLiteral("OK"), true, "aboutClose"));
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->open();
    });
    add(help_, "checkUpdates", QString(), [this] { model_.checkForUpdates(true); });
    retranslate();
    refreshActions();
}

void MainWindow::retranslate() {
    file_->setTitle(lq("&Bestand", "&File"));
    help_->setTitle(lq("&Help", "&Help"));
    action(QStringLiteral("settings"))->setText(lq("Instellingen…", "Settings…"));
    action(QStringLiteral("quit"))->setText(lq("Afsluiten", "Quit"));
    action(QStringLiteral("changeProject"))->setText(lq("Project wijzigen…", "Change project…"));
    action(QStringLiteral("createFolders"))->setText(lq("Mappen aanmaken", "Create folders"));
    action(QStringLiteral("startTransfer"))->setText(QStringLiteral("Start transfer"));
    action(QStringLiteral("history"))->setText(lq("Geschiedenis", "History"));
    action(QStringLiteral("findClip"))->setText(lq("Zoek een clip…", "Find a clip…"));
    action(QStringLiteral("about"))->setText(lq("Over ", "About ") + QString::fromUtf8(Product::name));
    action(QStringLiteral("checkUpdates"))->setText(lq("Controleer op updates…", "Check for Updates…"));
    if (settings_) settings_->setWindowTitle(lq("Instellingen", "Settings"));
}

void MainWindow::refreshActions() {
    const RunningJob* job = shownJob(model_.transferState(), model_.runningJob(), model_.pausedTransfer());
    const TransferMenuStates states = transferMenuStates(
        {model_.transferState(), model_.demoState(), foldersToCreate(job, model_.missingFolders().size()) > 0,
         model_.pausedTransfer().has_value()});
    action(QStringLiteral("changeProject"))->setEnabled(states.changeProject);
    action(QStringLiteral("createFolders"))->setEnabled(states.createFolders);
    // Ctrl+Return is TRANSFER: it resumes or starts as the model says.
    action(QStringLiteral("startTransfer"))->setEnabled(model_.canRequestTransfer());
    QAction* demo = action(QStringLiteral("demo"));
    demo->setText(states.demoIsStart ? lq("Demo-modus starten", "Start demo mode")
                                     : lq("Demo-modus stoppen", "Stop demo mode"));
    demo->setEnabled(states.demoEnabled);
}

void MainWindow::modelChanged(ModelFields fields) {
    // The progress tick changes nothing the menus show.
    if (fields == ModelFields{ModelField::progress}) return;
    if (model_.settings().language != language_) {
        language_ = model_.settings().language;
        qtTexts_.follow(language_);
        retranslate();
        rebuildView();
    }
    refreshActions();
}

void MainWindow::rebuildView() {
    // The content carries the interface language: a new language builds it anew. The keyboard
    // stays on the control it was on (the language switch), as the focus ring showed it.
    QString focused;
    bool ring = false;
    if (QWidget* control = QApplication::focusWidget(); control != nullptr && view_ != nullptr && view_->isAncestorOf(control)) {
        focused = control->objectName();
        ring = FocusRing::of(*control) != nullptr && FocusRing::of(*control)->isShown();
    }
    auto* view = new MainView(model_, navigation_, this);
    setCentralWidget(view);  // deletes the old one
    view_ = view;
    if (focused.isEmpty()) return;
    if (QWidget* again = view->findChild<QWidget*>(focused))
        again->setFocus(ring ? Qt::TabFocusReason : Qt::OtherFocusReason);
    else
        view->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openSettings(std::optional<SettingsTab> tab) {
    if (!settings_) {
        settings_ = new SettingsView(model_);
        settings_->setAttribute(Qt::WA_DeleteOnClose);
        settings_->setWindowTitle(lq("Instellingen", "Settings"));
        settings_->setObjectName(QStringLiteral("settingsWindow"));
        // On the main window's screen, centred on it.
        const QScreen* screen = this->screen();
        const std::optional<QRect> area = screen ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt;
        settings_->resize(settingsWindowSize(area).expandedTo(settings_->minimumSize()));
        if (area) {
            QRect frame(QPoint(), settings_->size());
            frame.moveCenter(area->center());
            settings_->move(frame.topLeft());
        }
    }
    if (tab) settings_->selectTab(*tab);
    settings_->show();
    settings_->raise();
    settings_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!quitConfirmed_ && quitNeedsConfirmation(true, model_.transferState())) {
        event->ignore();
        askBeforeQuitting();
        return;
    }
    event->accept();
    if (settings_) settings_->close();
    QApplication::quit();
}

void MainWindow::askBeforeQuitting() {
    if (quitQuestion_ && quitQuestion_->isVisible()) return;
    delete quitQuestion_.data();  // an answered question that is not gone yet
    auto* box = new AlertBox(lq("Er loopt nog een transfer", "A transfer is still running"),
                             lq("Als je nu stopt is de kaart niet volledig overgezet. Wat al klaar is blijft staan en "
                                "kan later hervat worden.",
                                "If you quit now, the card is not fully transferred. What is already done stays and "
                                "can be resumed later."),
                             this);
    box->setObjectName(QStringLiteral("quitQuestion"));
    StyledButton* quit = box->addButton(lq("Toch stoppen", "Quit anyway"), false, "quitAnyway");
    // Continue is the default and what Escape or closing the question means: the transfer goes on.
    box->setEscapeButton(box->addButton(lq("Doorgaan met transfer", "Continue transfer"), true, "continueTransfer"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &AlertBox::chosen, this, [this, quit](StyledButton* button) {
        if (button != quit) return;
        quitConfirmed_ = true;
        // The model stops and joins its engine when main() destroys it, after the event loop.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    quitQuestion_ = box;
    box->open();
}

}  // namespace quillane
