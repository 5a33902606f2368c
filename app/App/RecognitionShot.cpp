#include "App/RecognitionShot.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Model/AppModel.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/SourceContentsLook.h"
#include "Views/Kit/TextLine.h"

namespace quillane {

RecognitionShot::RecognitionShot(AppModel& model, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("recognitionShot"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(28, 28, 28, 28);
    row->setSpacing(22);
    auto* left = new QVBoxLayout();
    auto* right = new QVBoxLayout();
    left->setSpacing(10);
    right->setSpacing(10);

    const auto sources = model.sources();
    left->addWidget(new SectionLabel(lq("Bron", "Source"), QString::number(sources.size()), this));
    for (const DriveState& drive : sources) {
        auto* card = new DriveCard(model, drive, this);
        card->setSelected(model.selectedSourceID() == drive.info.id);
        left->addWidget(card);
    }
    for (const auto& companion : model.soundCompanions()) {
        auto* line = new TextLine(Fonts::text(11.5, QFont::Medium), Theme::sound(), this);
        line->setSymbol(QStringLiteral("waveform"));
        line->setText(soundCompanionLine(companion.name, companion.roll));
        left->addSpacing(2);
        left->addWidget(line);
    }
    left->addStretch(1);

    const auto destinations = model.destinations();
    right->addWidget(new SectionLabel(lq("Bestemmingen", "Destinations"), QString::number(destinations.size()), this));
    for (const DriveState& drive : destinations) right->addWidget(new DriveCard(model, drive, this));
    right->addStretch(1);
    row->addLayout(left, 1);
    row->addLayout(right, 1);
}

void RecognitionShot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::background());
}

}  // namespace quillane
