// Small helpers the screen tests share: CP932 text from UTF-8, and a
// dialog's control by id that stops the test binary when it is missing.
#pragma once

#include <QString>

#include <cstdlib>
#include <string>

#include "nubora/framework/cp932.h"
#include "nubora/framework/dialog.h"

namespace nubora::testing {

inline std::string Sjis(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value(); }

template <class W>
W* ControlOf(fw::Dialog& dialog, int id)
{
    W* control = dialog.ControlAs<W>(id);
    if (!control)
        std::abort();
    return control;
}

}  // namespace nubora::testing
