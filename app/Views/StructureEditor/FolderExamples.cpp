#include "Views/StructureEditor/FolderExamples.h"

#include "Support/Lang.h"
#include "Template/FolderTemplate.h"

namespace quillane {

std::string FolderExamples::example(std::string_view segment) const {
    const TemplateContext context{projectName.empty() ? L("PROJECTNAAM", "PROJECT_NAME") : projectName,
                                  "A001", "A", now, dateFormat, shootDay, "SONY", "FX3_CARD"};
    return FolderTemplate::resolve(segment, context);
}

}  // namespace quillane
