#include "App/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace quillane {

void QtTranslations::follow(AppLanguage language) {
    if (language == AppLanguage::en) {
        dutch_.reset();  // a translator leaves the application as it goes
        return;
    }
    if (dutch_) return;
    auto dutch = std::make_unique<QTranslator>();
    // Without the translations installed Qt's texts stay English.
    if (!dutch->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
    QCoreApplication::installTranslator(dutch.get());
    dutch_ = std::move(dutch);
}

}  // namespace quillane
