#include "Views/StructureEditor/FolderTreeEditor.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

#include "Views/Kit/Theme.h"
#include "Views/StructureEditor/FolderRow.h"
#include "Views/StructureEditor/ObservableDraft.h"
#include "Views/StructureEditor/TreePlaceRows.h"

namespace quillane {

FolderTreeEditor::FolderTreeEditor(ObservableDraft& draft, std::function<FolderExamples()> examples, QWidget* parent)
    : QWidget(parent), draft_(draft), examples_(std::move(examples)), column_(new QVBoxLayout(this)),
      rows_(column_) {
    setObjectName(QStringLiteral("folderTreeEditor"));
    column_->setContentsMargins(10, 10, 10, 10);
    column_->setSpacing(2);
    connect(&draft_, &ObservableDraft::changed, this, &FolderTreeEditor::refresh);
    refresh();
}

void FolderTreeEditor::refresh() {
    const FolderExamples examples = examples_ ? examples_() : FolderExamples{};
    rows_.sync(
        treeRows(draft_.draft()), [](const TreeRowLook& row) { return QString::fromStdString(row.key); },
        [this](const TreeRowLook& row) { return makeRow(row); },
        [&](QWidget* widget, const TreeRowLook& row) { updateRow(widget, row, examples); });
}

QWidget* FolderTreeEditor::makeRow(const TreeRowLook& row) {
    QWidget* made = nullptr;
    switch (row.kind) {
        case TreeRowLook::Kind::drive: made = new DriveRow(draft_, this); break;
        case TreeRowLook::Kind::folder: made = new FolderRow(draft_, *row.folderID, this); break;
        case TreeRowLook::Kind::roll: case TreeRowLook::Kind::sound: made = new PlaceRow(row.kind, this); break;
    }
    if (row.kind == TreeRowLook::Kind::drive || row.kind == TreeRowLook::Kind::folder) made->installEventFilter(this);
    return made;
}

void FolderTreeEditor::updateRow(QWidget* widget, const TreeRowLook& row, const FolderExamples& examples) {
    const bool marked = mark_.marks(row.key);
    if (auto* drive = dynamic_cast<DriveRow*>(widget)) {
        drive->refresh(!draft_.draft().cardFolderID(), marked);
    } else if (auto* folder = dynamic_cast<FolderRow*>(widget)) {
        const auto* node = draft_.draft().node(folder->folder());
        const QString example = node ? QString::fromStdString(examples.example(node->pattern)) : QString();
        folder->refresh(row.depth, example, marked);
    } else if (auto* place = dynamic_cast<PlaceRow*>(widget)) {
        place->refresh(row.depth);
    }
}

bool FolderTreeEditor::eventFilter(QObject* watched, QEvent* event) {
    return handleDrag(watched, event) || QWidget::eventFilter(watched, event);
}

bool FolderTreeEditor::handleDrag(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::DragLeave && type != QEvent::Drop)
        return false;
    std::optional<UUID> target;
    QString key = QString::fromLatin1(driveRowKey);
    if (auto* folder = dynamic_cast<FolderRow*>(watched)) {
        target = folder->folder();
        key = QString::fromStdString(target->text());
    }
    switch (type) {
        case QEvent::DragEnter: {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (!enter->mimeData()->hasText()) return false;
            enter->acceptProposedAction();
            mark_.enter(key.toStdString());
            break;
        }
        case QEvent::DragMove: static_cast<QDragMoveEvent*>(event)->acceptProposedAction(); return true;
        case QEvent::DragLeave: mark_.leave(key.toStdString()); break;
        default: {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<std::string> texts;
            if (drop->mimeData()->hasText()) texts.push_back(drop->mimeData()->text().toStdString());
            bool taken = false;
            draft_.edit([&](FolderTreeDraft& d) { taken = dropFolder(d, texts, target); });
            if (taken) drop->acceptProposedAction();
            else drop->ignore();
            // No leave follows a drop here, so the drop ends this row's mark itself.
            mark_.leave(key.toStdString());
            break;
        }
    }
    refresh();
    return true;
}

void FolderTreeEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Theme::well());
    painter.setPen(QPen(Theme::stroke(), 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
}

}  // namespace quillane
