// The symbol settings shared by the input screens, the settings dialog, the
// encode driver and the code view. Each setting is held once, as what the
// engine is given; the texts the screens show are derived from it
// (shell_rules.h).
#pragma once

#include "nubora/logic/payload_forms.h"

namespace nubora {

struct CodeSettings {
    int level = 0;          // 0 automatic, 1 L, 2 M, 3 Q, 4 H
    int cellSizeIndex = 0;  // 0..7: 0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 0.55, 0.6 mm
    int version = 0;        // 0 automatic, 1..15
    int splitCount = 1;     // symbols of a structured-append split, 1..16
    // What the settings summary shows: in manual mode the chosen level (1..4)
    // and version (1..15); in automatic mode those the engine would use for
    // the input last confirmed, M and 1 until then.
    int shownLevel = 2;
    int shownVersion = 1;
    bool autoAdjust = true;                  // automatic adjustment (自動調整); false: manual (任意調整)
    double printSizeMm = 0;                  // side of the last symbol with its quiet zone, mm
    int availableLength = 0;                 // capacity for the manual version and level × splitCount
    PayloadForm form = PayloadForm::Legacy;  // the texts the address book and e-mail encode
};

// Back to automatic mode, as on entering an input screen: everything but
// printSizeMm and availableLength takes its initial value (the legacy form too).
void ResetToAutomatic(CodeSettings& settings);

}  // namespace nubora
