#pragma once
#include <QString>
#include <initializer_list>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace quillane {

class Picker;
class Toggle;

// A group of the settings forms: a header, a rounded card of rows divided by hairlines, and a footer.
class FormSection : public QWidget {
    Q_OBJECT
public:
    explicit FormSection(const QString& header = {}, const QString& footer = {}, QWidget* parent = nullptr);

    // Adds a row to the card (the section owns it).
    void addRow(QWidget* row);
    // A row with a text on the left and the control on the right.
    QWidget* addControlRow(const QString& text, QWidget* control);
    Toggle* addToggle(const QString& text);
    Picker* addPicker(const QString& text, const QStringList& entries);
    QLabel* footer() const { return footer_; }
    // Without the card behind the rows (a group inside another section's card).
    void setFramed(bool framed);

private:
    QWidget* card_;
    QVBoxLayout* rows_;
    QLabel* footer_;
};

// Widgets stacked without gaps, as one row of a section.
QWidget* stackedRow(std::initializer_list<QWidget*> widgets);

// The scrolling page of a settings tab: sections from the top (28 px down), 24 px at the sides.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget* parent = nullptr);
    void addSection(QWidget* section);
    void finish();  // after the last section: the rest stays empty

private:
    QVBoxLayout* column_;
};

}  // namespace quillane
