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
    settings.shownLevel = initial.shownLevel;
    settings.shownVersion = initial.shownVersion;
    settings.form = initial.form;
}

}  // namespace nubora
