#pragma once
#include <QSize>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include "Support/Lang.h"
#include "support/OffscreenApp.h"
#include "support/app/TextFit.h"

namespace quillane::testing {

// The sizes every window is checked at.
struct WindowSizes {
    QSize normal;
    QSize minimum;
};
inline constexpr WindowSizes mainWindowSizes{{1300, 800}, {1120, 700}};
inline constexpr WindowSizes settingsSizes{{1240, 840}, {760, 520}};

inline QString languageSuffix() { return Lang::current == AppLanguage::en ? QStringLiteral("-en") : QStringLiteral("-nl"); }

// Renders the widget into the renders folder as layout-<name>-<language> and expects no cut text.
inline void expectAllTextFits(QWidget& widget, const QString& name, QSize size = {}) {
    saveRender(widget, QStringLiteral("layout-") + name + languageSuffix(), size);
    const QStringList cut = cutTexts(widget);
    EXPECT_TRUE(cut.isEmpty()) << name.toStdString() << languageSuffix().toStdString() << ":\n  "
                               << cut.join(QStringLiteral("\n  ")).toStdString();
}

}  // namespace quillane::testing
