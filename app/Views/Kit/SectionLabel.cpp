#include "Views/Kit/SectionLabel.h"

#include <QHBoxLayout>

#include "Views/Kit/Fonts.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"

namespace quillane {

SectionLabel::SectionLabel(const QString& title, std::optional<QString> trailing, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    title_ = new TextLabel({}, Fonts::tracked(Fonts::text(11, QFont::DemiBold), 0.9), Theme::secondary());
    title_->setObjectName(QStringLiteral("sectionTitle"));
    trailing_ = new TextLabel({}, Fonts::text(11, QFont::DemiBold), Theme::tertiary());
    trailing_->setObjectName(QStringLiteral("sectionTrailing"));
    row->addWidget(title_);
    row->addWidget(trailing_);
    row->addStretch(1);
    setTitle(title);
    setTrailing(std::move(trailing));
}

void SectionLabel::setTitle(const QString& title) { title_->setText(title.toUpper()); }

void SectionLabel::setTrailing(std::optional<QString> trailing) {
    trailing_->setVisible(trailing.has_value());
    trailing_->setText(trailing.value_or(QString()));
}

}  // namespace quillane
