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
class QMimeData;
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

    // Codes read back from pictures, opened in the screen of their kind.
    // The open dialog for picture files over `over`, then the pictures read;
    // a host without pictures does nothing.
    virtual void ReadCodeFromPictureFile(QWidget* over) { (void)over; }
    // An area of the screen that the user drags out, read as a picture (the
    // windows step aside meanwhile); a host without pictures does nothing.
    virtual void ReadCodeFromScreen(QWidget* over) { (void)over; }
    // The picture or the picture files that `data` (the clipboard, a drop)
    // holds, read. False, with nothing done, when it holds neither; a host
    // without pictures always answers false.
    virtual bool ReadCodeFromMime(const QMimeData& data)
    {
        (void)data;
        return false;
    }
};

}  // namespace nubora
