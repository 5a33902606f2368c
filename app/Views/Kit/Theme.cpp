#include "Views/Kit/Theme.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>

#include <algorithm>
#include <QPalette>
#include <QStyleFactory>

#include "Views/Kit/Fonts.h"

namespace quillane::Theme {

QColor background() { return QColor(0x0F, 0x11, 0x14); }
QColor card() { return QColor(0x17, 0x1A, 0x1F); }
QColor cardRaised() { return QColor(0x1E, 0x22, 0x28); }
QColor well() { return QColor(0x0C, 0x0D, 0x0F); }
QColor hairline() { return opacity(Qt::white, 0.07); }
QColor stroke() { return opacity(Qt::white, 0.09); }
QColor text() { return QColor(0xED, 0xEE, 0xF0); }
QColor secondary() { return QColor(0x9A, 0xA1, 0xAB); }
QColor tertiary() { return QColor(0x63, 0x6A, 0x75); }
QColor accent() { return QColor(0x3D, 0xDC, 0x97); }
QColor onAccent() { return QColor(0x05, 0x13, 0x0C); }
QColor warning() { return QColor(0xFF, 0xB5, 0x47); }
QColor sound() { return QColor(0x7A, 0xB8, 0xFF); }
QColor danger() { return QColor(0xFF, 0x5F, 0x57); }

QColor opacity(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0) * color.alphaF()));
    return color;
}

namespace {
QString css(const QColor& c) {
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

QPalette darkPalette() {
    QPalette p;
    const auto both = [&p](QPalette::ColorRole role, const QColor& color) {
        p.setColor(QPalette::Active, role, color);
        p.setColor(QPalette::Inactive, role, color);
        p.setColor(QPalette::Disabled, role, color);
    };
    both(QPalette::Window, background());
    both(QPalette::Base, well());
    both(QPalette::AlternateBase, card());
    both(QPalette::Button, card());
    both(QPalette::ToolTipBase, cardRaised());
    both(QPalette::ToolTipText, text());
    both(QPalette::Highlight, accent());
    both(QPalette::HighlightedText, onAccent());
    both(QPalette::Link, accent());
    both(QPalette::BrightText, danger());
    both(QPalette::PlaceholderText, tertiary());
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, text());
        p.setColor(QPalette::Inactive, role, text());
        p.setColor(QPalette::Disabled, role, tertiary());
    }
    both(QPalette::Light, cardRaised());
    both(QPalette::Midlight, cardRaised());
    both(QPalette::Mid, card());
    both(QPalette::Dark, well());
    both(QPalette::Shadow, Qt::black);
    return p;
}
}  // namespace

QString styleSheet() {
    return QStringLiteral(
               "QToolTip { color: %1; background: %2; border: 1px solid %3; padding: 4px 6px; }"
               "QMenu { background: %2; color: %1; border: 1px solid %3; padding: 4px; }"
               "QMenu::item { padding: 4px 18px 4px 22px; border-radius: 4px; }"
               "QMenu::item:selected { background: %4; color: %5; }"
               "QMenu::item:disabled { color: %6; }"
               "QMenu::separator { height: 1px; background: %3; margin: 4px 6px; }"
               "QMenu::section { color: %7; padding: 4px 10px 2px 10px; }"
               "QLineEdit { background: %8; color: %1; border: 1px solid %3; border-radius: 6px;"
               " padding: 4px 8px; selection-background-color: %4; selection-color: %5; }"
               "QLineEdit:focus { border: 1px solid %9; }"
               "QScrollBar:vertical { background: transparent; width: 10px; margin: 0; }"
               "QScrollBar:horizontal { background: transparent; height: 10px; margin: 0; }"
               "QScrollBar::handle { background: %3; border-radius: 4px; min-height: 24px; min-width: 24px; }"
               "QScrollBar::handle:hover { background: %7; }"
               "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
               "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
        .arg(css(text()), css(cardRaised()), css(opacity(Qt::white, 0.14)), css(accent()), css(onAccent()),
             css(tertiary()), css(secondary()), css(well()), css(opacity(accent(), 0.6)));
}

void applyTo(QApplication& application) {
    Fonts::registerBundled();
    // Our own pictures are bundled; only Qt's own dialogs (the folder chooser) take icons from an icon theme,
    // Adwaita where the desktop has it. Platforms without a desktop theme plugin (offscreen, minimal) know no
    // search path: add the XDG ones.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (!paths.contains(data + QStringLiteral("/icons"))) paths << data + QStringLiteral("/icons");
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application.setPalette(darkPalette());
    application.setFont(Fonts::text(13));
    application.setStyleSheet(styleSheet());
}

}  // namespace quillane::Theme
