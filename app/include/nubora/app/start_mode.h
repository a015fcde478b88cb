// What the command line and the environment decide before Qt starts: an
// answer that needs no display (--version, --help), a refusal when there is
// no display to open the windows on, or the program itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nubora {

// How the process goes on.
enum class StartMode {
    Run,          // start Qt and the program; the arguments Qt leaves are data files
    ShowVersion,  // print VersionText() on standard output and exit with 0
    ShowHelp,     // print HelpText() on standard output and exit with 0
    NoDisplay,    // print NoDisplayText() on standard error and exit with 1
};

// The environment variables that tell whether Qt has somewhere to open a
// window: each variable's value, empty when it is unset.
struct DisplayEnvironment {
    std::string display;         // DISPLAY, an X11 display
    std::string waylandDisplay;  // WAYLAND_DISPLAY, a Wayland display
    std::string qtPlatform;      // QT_QPA_PLATFORM, a Qt platform chosen by name (offscreen, vnc …)
};

// DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM of this process.
DisplayEnvironment CurrentDisplayEnvironment();

// Decides from the program's arguments (argv[1] on, as given) and `environment`.
// --help anywhere gives ShowHelp, else --version anywhere ShowVersion; both
// need no display. Otherwise Run when there is a display or a Qt platform is
// named (QT_QPA_PLATFORM, or -platform NAME among the arguments), else NoDisplay.
StartMode ChooseStartMode(const std::vector<std::string_view>& arguments, const DisplayEnvironment& environment);

// "nubora VERSION" and a line feed, VERSION the program's version (as in the
// about box and the AppStream metainfo).
std::string VersionText();

// The usage: the command line, the data files and the options, in English,
// UTF-8, ending in a line feed.
std::string HelpText();

// What the program says when it finds no graphical session, with the ways to
// see it anyway; UTF-8, ending in a line feed.
std::string NoDisplayText();

}  // namespace nubora
