#include "Template/TemplatePreset.h"

#include "Support/Lang.h"

namespace quillane {

std::vector<TemplatePreset> TemplatePreset::all() {
    return {
        {"simple", L("Eén draaidag", "Single shoot day"),
         L("Alle kaarten samen in één FOOTAGE-map.", "All cards together in one FOOTAGE folder."),
         FolderTemplate{"{PROJECT}/FOOTAGE/{ROLL}", {}, "{PROJECT}/SOUND/{ROLL}"}, std::nullopt},
        {"shootday", L("Meerdere draaidagen", "Multiple shoot days"),
         L("Elke draaidag een eigen map (DAY_01, DAY_02 …), de kaarten daarin.",
           "A folder per shoot day (DAY_01, DAY_02 …) with the cards inside."),
         FolderTemplate{"{PROJECT}/DAY_{DAY}/{ROLL}", {}, "{PROJECT}/DAY_{DAY}/SOUND/{ROLL}"}, std::nullopt},
    };
}

const FolderTemplate& TemplatePreset::customStarter() {
    static const FolderTemplate starter{
        "{PROJECT}/01_FOOTAGE/{ROLL}",
        {
            {0, "02_PROJECT"},
            {0, "03_AUDIO/SOUND_RECORDINGS"},
            {0, "03_AUDIO/SFX"},
            {0, "03_AUDIO/VOICE-OVER"},
            {0, "03_AUDIO/TO_SOUND"},
            {0, "03_AUDIO/FROM_SOUND"},
            {0, "04_ARTWORKS/FONTS"},
            {0, "04_ARTWORKS/LOGOS"},
            {0, "05_GRADE"},
            {0, "06_EXPORTS"},
        },
        "{PROJECT}/03_AUDIO/SOUND_RECORDINGS/{ROLL}",
    };
    return starter;
}

FolderTemplate TemplatePreset::upgraded(const FolderTemplate& stored) {
    if (stored.soundPattern || !stored.extraFolders.empty()) return stored;
    for (auto& preset : all())
        if (preset.folderTemplate.pattern == stored.pattern) return std::move(preset.folderTemplate);
    return stored;
}

}  // namespace quillane
