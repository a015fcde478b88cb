// What a screen asks of the window that owns it: the window-free requests
// (nubora/logic/screen_host.h) and those that take a widget — the read-only
// boxes' brush, the settings and link dialogs run over the asking screen.
// The main menu is the host of every screen; tests give a screen a host of
// their own.
#pragma once

#include "nubora/logic/free_text_links.h"
#include "nubora/logic/screen_host.h"

#include <optional>
#include <string>

class QBrush;
class QWidget;

namespace nubora {

class ScreenHost : public WindowFreeHost {
public:
    // Background of the read-only boxes.
    virtual const QBrush& WhiteBrush() const = 0;

    // Runs the settings dialog over `over`; true when it ended with OK.
    [[nodiscard]] virtual bool RunSettings(QWidget* over) = 0;
    // Runs the link dialog of `kind` over `over`: the value entered, or
    // nothing when it was cancelled.
    [[nodiscard]] virtual std::optional<std::string> AskForLink(LinkKind kind, QWidget* over) = 0;
};

}  // namespace nubora
