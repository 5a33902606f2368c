#pragma once
#include <QWidget>

class QLineEdit;

namespace quillane {

class StyledButton;

// The clip search field: a magnifier, the text and, while there is text, a button that clears
// it, on a sunken rounded well whose edge lights up while the field has the focus.
class SearchBox : public QWidget {
    Q_OBJECT
public:
    explicit SearchBox(QWidget* parent = nullptr);
    QLineEdit* field() const { return field_; }
    StyledButton* clearButton() const { return clear_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
    StyledButton* clear_;
};

}  // namespace quillane
