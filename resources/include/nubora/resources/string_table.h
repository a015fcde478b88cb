// The program's string table: every message and title, keyed by string id
// (string_ids.h). The texts are held as UTF-8 (string_texts.h, without any
// window); LoadString gives them to the controls and message boxes.
#pragma once

#include "nubora/resources/string_texts.h"

#include <QString>

namespace nubora::res {

// The text of string `id`; empty for an id the table does not hold.
QString LoadString(int id);

}  // namespace nubora::res
