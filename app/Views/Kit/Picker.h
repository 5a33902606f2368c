#pragma once
#include <QPointer>
#include <QString>
#include <QMenu>
#include <QVariant>
#include <QVector>

#include "Views/Kit/PaintedButton.h"


namespace quillane {

// A pop-up choice in the theme: the chosen entry's text and a chevron on a card-coloured rounded
// field; a click opens the entries as a menu with the chosen one checked. As wide as its longest
// entry, so the field does not change width when the choice does. React to the user with
// `activated(index)`; setCurrentIndex from the model emits nothing.
class Picker : public PaintedButton {
    Q_OBJECT
public:
    explicit Picker(QWidget* parent = nullptr);

    void addItem(const QString& text, const QVariant& data = {});
    int count() const { return static_cast<int>(items_.size()); }
    QString itemText(int index) const;
    QVariant itemData(int index) const;
    int findData(const QVariant& data) const;

    int currentIndex() const { return current_; }
    QString currentText() const { return itemText(current_); }
    void setCurrentIndex(int index);

    // The open menu of entries (null while closed); the tests choose from it.
    QMenu* openMenu() const { return menu_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void activated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showMenu();

    struct Item {
        QString text;
        QVariant data;
    };
    QVector<Item> items_;
    int current_ = -1;
    QPointer<QMenu> menu_;  // null once the menu has closed (it deletes itself)
};

}  // namespace quillane
