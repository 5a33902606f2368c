#include "Views/History/BackupBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"

namespace quillane {
namespace {
QColor tintOf(bool safe) { return safe ? Theme::accent() : Theme::warning(); }
}  // namespace

BackupBanner::BackupBanner(const ProjectOverviewLook::Banner& look, QWidget* parent)
    : QWidget(parent), safe_(look.safe) {
    setObjectName("backupBanner");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(14);

    auto* symbol = new QLabel(this);
    symbol->setObjectName("bannerSymbol");
    symbol->setPixmap(Symbols::pixmap(QString::fromStdString(look.symbol), Symbols::side(26), tintOf(safe_),
                                      QFont::Normal, devicePixelRatioF()));
    row->addWidget(symbol, 0, Qt::AlignVCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto* headline = wrappingLabel(QString::fromStdString(look.headline), Fonts::expanded(Fonts::text(17, QFont::ExtraBold)),
                                   safe_ ? Theme::text() : Theme::warning(), Qt::AlignLeft, this);
    headline->setObjectName("bannerHeadline");
    texts->addWidget(headline);
    for (const auto& line : look.advice) {
        auto* advice = wrappingLabel(QString::fromStdString(line), Fonts::text(12, QFont::Medium), Theme::text(),
                                     Qt::AlignLeft, this);
        advice->setObjectName("bannerAdvice");
        texts->addWidget(advice);
    }
    auto* summary = new TextLabel(QString::fromStdString(look.summary), Fonts::text(12), Theme::secondary(), this);
    summary->setObjectName("bannerSummary");
    texts->addWidget(summary);
    row->addLayout(texts, 1);
}

void BackupBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tint = tintOf(safe_);
    painter.setBrush(Theme::opacity(tint, 0.08));
    painter.setPen(QPen(Theme::opacity(tint, 0.3), 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
}

}  // namespace quillane
