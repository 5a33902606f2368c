#pragma once
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

#include "Support/UUID.h"
#include "Views/Kit/StyledButton.h"

class QMenu;

namespace quillane {

class ObservableDraft;

// A capsule with an optional leading symbol and a text: the card and sound badges and the chip of
// a folder named by a variable.
struct CapsuleLook {
    QString text;
    QString symbol;
    QColor foreground;
    QColor background;
    QFont font;
    double symbolPx = 10.5;  // the symbol's size as text of this many pixels
    double paddingX = 7;
    double height = 18;
    double spacing = 4;
};

CapsuleLook cardBadgeLook();   // "cards go here", on the accent
CapsuleLook soundBadgeLook();  // "sound goes here", on the sound colour
CapsuleLook chipLook(const QString& symbol, const QString& example);

class Capsule : public QWidget {
public:
    explicit Capsule(CapsuleLook look, QWidget* parent = nullptr);
    void setLook(CapsuleLook look);
    const CapsuleLook& look() const { return look_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CapsuleLook look_;
};

// A borderless button that opens a menu, filled anew at each opening so that its titles follow the
// language of the moment.
class MenuButton : public StyledButton {
    Q_OBJECT
public:
    MenuButton(const ButtonStyle& style, const QString& text, const QString& symbol,
               std::function<void(QMenu&)> fill, QWidget* parent = nullptr);
    // The menu as it would open now (kept until the next opening).
    QMenu* freshMenu();

private:
    std::function<void(QMenu&)> fill_;
    QPointer<QMenu> menu_;
};

// Interface texts are UTF-8 std::string in the decisions and QString in the widgets.
inline QString qtext(const std::string& text) { return QString::fromStdString(text); }

// The accent "+ Folder" / "+ Subfolder" label style, and the ••• style.
ButtonStyle addMenuStyle();
ButtonStyle moreMenuStyle();

// The add menu of a folder (or of the drive for no parent): a new folder, then one per variable.
void fillAddMenu(QMenu& menu, ObservableDraft& draft, const std::optional<UUID>& parent);

// The indent of a row at a display depth. Rows deeper than a screen can show stay at one indent,
// so a hand-made tree hundreds of levels deep keeps its names in view.
int rowIndent(int depth);

}  // namespace quillane
