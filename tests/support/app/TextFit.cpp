#include "support/app/TextFit.h"

#include <QScrollArea>
#include <QFontMetricsF>
#include <QMetaObject>
#include <QRectF>
#include <QVariant>
#include <QLabel>
#include <QWidget>

#include <cmath>

#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/TextLine.h"

namespace quillane::testing {

namespace {

QString describe(const char* kind, const QWidget& widget, const QString& text, const QString& how) {
    return QStringLiteral("%1 '%2' \"%3\": %4")
        .arg(QString::fromLatin1(kind), widget.objectName(), text, how);
}

QString sizes(int have, int need) { return QStringLiteral("%1 px, needs %2").arg(have).arg(need); }

// A widget in a scroll area either shows whole or lies wholly beyond the viewport's edge: a button
// half under the edge reads as cut.
std::optional<QString> halfScrolled(const char* kind, const QWidget& widget, const QString& text) {
    for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget()) {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(up->parentWidget());
        if (!area || area->viewport() != up) continue;
        const QRect shown(widget.mapTo(up, QPoint(0, 0)), widget.size());
        if (!shown.intersects(up->rect()) || up->rect().contains(shown)) return std::nullopt;
        const QRect seen = shown.intersected(up->rect());
        return describe(kind, widget, text, QStringLiteral("cut by the edge of its scroll area: %1×%2 of %3×%4 px shown")
                                                .arg(seen.width()).arg(seen.height()).arg(shown.width()).arg(shown.height()));
    }
    return std::nullopt;
}

// A wrapping text: as tall as it needs at its width.
std::optional<QString> shortWrap(const char* kind, const QWidget& widget, const QString& text) {
    const int need = widget.heightForWidth(widget.width());
    if (widget.height() >= need) return std::nullopt;
    return describe(kind, widget, text, QStringLiteral("%1 wide, %2 high").arg(widget.width()).arg(sizes(widget.height(), need)));
}

std::optional<QString> elided(const char* kind, const QWidget& widget, const QString& text, const QString& shown,
                              const QSet<QString>& mayElide) {
    if (shown == text || mayElide.contains(widget.objectName())) return std::nullopt;
    return describe(kind, widget, text, QStringLiteral("shown as \"%1\"").arg(shown));
}

// A widget that paints rows of several parts itself offers them as paintedRows(): per row its
// bounds, its parts (none may leave the row or lie over another) and, for its texts, the width
// they have and the width they need.
std::optional<QString> crowdedRow(const QWidget& widget) {
    QVariantList rows;
    if (widget.metaObject()->indexOfMethod("paintedRows()") < 0 ||
        !QMetaObject::invokeMethod(const_cast<QWidget*>(&widget), "paintedRows", Q_RETURN_ARG(QVariantList, rows)))
        return std::nullopt;
    for (const QVariant& entry : rows) {
        const QVariantMap row = entry.toMap();
        const QString name = row.value(QStringLiteral("name")).toString();
        const double have = row.value(QStringLiteral("textWidth")).toDouble();
        const double need = row.value(QStringLiteral("textNeed")).toDouble();
        if (have + 0.5 < need)
            return describe("painted row", widget, name,
                            QStringLiteral("texts squeezed: %1").arg(sizes(static_cast<int>(have), static_cast<int>(std::ceil(need)))));
        const QRectF bounds = row.value(QStringLiteral("bounds")).toRectF();
        const QVariantList parts = row.value(QStringLiteral("parts")).toList();
        for (qsizetype a = 0; a < parts.size(); ++a) {
            const QRectF part = parts[a].toRectF();
            if (!bounds.contains(part)) return describe("painted row", widget, name, QStringLiteral("a part outside its row"));
            for (qsizetype b = a + 1; b < parts.size(); ++b)
                if (part.intersects(parts[b].toRectF()))
                    return describe("painted row", widget, name, QStringLiteral("parts drawn over each other"));
        }
    }
    return std::nullopt;
}

std::optional<QString> cut(const QWidget& widget, const QSet<QString>& mayElide) {
    if (const auto* line = qobject_cast<const TextLine*>(&widget)) {
        if (line->text().isEmpty()) return std::nullopt;
        if (line->wraps()) {
            if (std::optional<QString> problem = shortWrap("TextLine", widget, line->text())) return problem;
        }
        return elided("TextLine", widget, line->text(), line->shownText(), mayElide);
    }
    if (const auto* label = qobject_cast<const TextLabel*>(&widget)) {
        if (label->text().isEmpty()) return std::nullopt;
        return elided("TextLabel", widget, label->text(), label->shownText(), mayElide);
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty() || label->pixmap().cacheKey() != 0) return std::nullopt;
        if (label->wordWrap()) return shortWrap("QLabel", widget, label->text());
        const QSize need = label->sizeHint();
        if (label->width() >= need.width() || mayElide.contains(widget.objectName())) return std::nullopt;
        return describe("QLabel", widget, label->text(), QStringLiteral("clipped: %1").arg(sizes(label->width(), need.width())));
    }
    if (const auto* button = qobject_cast<const StyledButton*>(&widget)) {
        if (button->text().isEmpty()) return std::nullopt;
        if (std::optional<QString> problem = halfScrolled("StyledButton", widget, button->text())) return problem;
        if (button->buttonStyle().fixedWidth > 0) return std::nullopt;
        const QSizeF need = StyledButton::naturalSize(button->buttonStyle(), button->text(), !button->symbol().isEmpty());
        if (button->width() + 0.5 >= need.width() || mayElide.contains(widget.objectName())) return std::nullopt;
        return describe("StyledButton", widget, button->text(),
                        QStringLiteral("elided: %1").arg(sizes(button->width(), static_cast<int>(std::ceil(need.width())))));
    }
    // A choice card of the structure tab (a view, so known here by its class name alone): its
    // title and path fit whole from its minimum width on.
    if (widget.inherits("quillane::ChoiceCard")) {
        const int need = widget.minimumSizeHint().width();
        if (widget.width() >= need) return std::nullopt;
        return describe("ChoiceCard", widget, widget.accessibleName(),
                        QStringLiteral("squeezed: %1").arg(sizes(widget.width(), need)));
    }
    // A page wider than its scroll area: whatever lies past the right edge is out of sight.
    if (const auto* area = qobject_cast<const QScrollArea*>(&widget); area && area->widget() &&
        area->widget()->width() > area->viewport()->width())
        return describe("QScrollArea", widget, QString(), QStringLiteral("content wider than its viewport: %1")
                                                               .arg(sizes(area->viewport()->width(), area->widget()->width())));
    return crowdedRow(widget);
}

}  // namespace

const QSet<QString>& elidingByDesign() {
    static const QSet<QString> names{
        // The roll path's folder names give way, longest first, only when the row is full.
        QStringLiteral("rollPathFolder"),
        // Names that come from drives and folder structures: one line at most.
        QStringLiteral("driveName"),
        QStringLiteral("folderName"),
        // A destination bar's status: one line, cut in the middle.
        QStringLiteral("destinationStatus"),
        // A destination's progress and result texts: two lines at most, the second ending in "…".
        QStringLiteral("destinationProgressText"),
        QStringLiteral("destinationResultText"),
    };
    return names;
}

QStringList cutTexts(const QWidget& root, const QSet<QString>& mayElide) {
    QStringList found;
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>()) widgets.push_back(child);
    for (const QWidget* widget : widgets) {
        if (!widget->isVisibleTo(&root) && widget != &root) continue;
        if (widget->window() != root.window() && widget->isWindow()) continue;
        if (widget->width() <= 0 || widget->height() <= 0) continue;
        if (const std::optional<QString> problem = cut(*widget, mayElide)) found << *problem;
    }
    return found;
}

}  // namespace quillane::testing
