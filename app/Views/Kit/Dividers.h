#pragma once
#include <QWidget>

namespace quillane {

// A 1 px hairline rule: horizontal (as wide as offered) or vertical (as high as offered).
class HDivider : public QWidget {
    Q_OBJECT
public:
    explicit HDivider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class VDivider : public QWidget {
    Q_OBJECT
public:
    explicit VDivider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillane
