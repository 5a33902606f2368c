#pragma once
#include <memory>

#include <QTranslator>

#include "Support/Lang.h"

namespace quillane {

// Qt's own texts (the buttons and labels of its dialogs, such as the folder chooser) in the
// interface's language: Dutch from the Qt translations Debian installs, English as Qt has them.
class QtTranslations {
public:
    void follow(AppLanguage language);

private:
    std::unique_ptr<QTranslator> dutch_;  // installed in the application while it exists
};

}  // namespace quillane
