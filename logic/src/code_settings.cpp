#include "nubora/logic/code_settings.h"

namespace nubora {

void ResetToAutomatic(CodeSettings& settings)
{
    const CodeSettings initial;
    settings.autoAdjust = initial.autoAdjust;
    settings.level = initial.level;
    settings.cellSizeIndex = initial.cellSizeIndex;
    settings.version = initial.version;
    settings.splitCount = initial.splitCount;
    settings.levelText = initial.levelText;
    settings.cellSizeText = initial.cellSizeText;
    settings.versionText = initial.versionText;
    settings.splitCountText = initial.splitCountText;
    settings.form = initial.form;
}

}  // namespace nubora
