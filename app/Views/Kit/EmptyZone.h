#pragma once
#include <QString>
#include <QWidget>

class QLabel;

namespace quillane {

class SymbolView;
class TextLabel;

// The placeholder of a column with nothing to list: a large symbol, a title and a centred,
// wrapping subtitle inside a dashed rounded outline; all the width offered, at least 190 high.
class EmptyZone : public QWidget {
    Q_OBJECT
public:
    EmptyZone(const QString& symbol, const QString& title, const QString& subtitle, QWidget* parent = nullptr);

    void setContent(const QString& symbol, const QString& title, const QString& subtitle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SymbolView* symbol_;
    TextLabel* title_;
    QLabel* subtitle_;
};

}  // namespace quillane
