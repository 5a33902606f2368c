#pragma once
#include <QString>
#include <QWidget>

#include <optional>

namespace quillane {

class TextLabel;

// A heading row for a group of content: the title upper-cased (11 px semibold, tracked, secondary),
// then, when given, the trailing text as it is (11 px semibold, tertiary), then a stretch.
class SectionLabel : public QWidget {
    Q_OBJECT
public:
    explicit SectionLabel(const QString& title, std::optional<QString> trailing = std::nullopt, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setTrailing(std::optional<QString> trailing);

private:
    TextLabel* title_;
    TextLabel* trailing_;
};

}  // namespace quillane
