#include "nubora/app/start_mode.h"

#include <algorithm>
#include <cstdlib>

namespace nubora {
namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool Has(const std::vector<std::string_view>& arguments, std::string_view option)
{
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

// Qt takes "-platform NAME" (or "--platform NAME") from the command line as
// it takes QT_QPA_PLATFORM from the environment.
bool NamesPlatform(const std::vector<std::string_view>& arguments)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if ((arguments[i] == "-platform" || arguments[i] == "--platform") && !arguments[i + 1].empty())
            return true;
    }
    return false;
}

}  // namespace

DisplayEnvironment CurrentDisplayEnvironment()
{
    return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("QT_QPA_PLATFORM")};
}

StartMode ChooseStartMode(const std::vector<std::string_view>& arguments, const DisplayEnvironment& environment)
{
    if (Has(arguments, "--help"))
        return StartMode::ShowHelp;
    if (Has(arguments, "--version"))
        return StartMode::ShowVersion;
    const bool display = !environment.display.empty() || !environment.waylandDisplay.empty();
    if (display || !environment.qtPlatform.empty() || NamesPlatform(arguments))
        return StartMode::Run;
    return StartMode::NoDisplay;
}

std::string VersionText() { return "nubora " NUBORA_VERSION "\n"; }

std::string HelpText()
{
    return "Usage: nubora [FILE…]\n"
           "Starts ヌボラ, which makes QR Code symbols from contacts, mails and free text.\n"
           "Each FILE, a data file saved by ヌボラ, opens in the screen of its kind:\n"
           "  .aqr  an address-book entry\n"
           "  .eqr  a mail\n"
           "  .fqr  a free text\n"
           "A picture FILE (PNG, JPEG, BMP, GIF, PDF …) has its QR Code opened\n"
           "in the screen of its kind, filled in; the parts of a split may lie in several.\n"
           "Any other FILE is refused with a message.\n"
           "\n"
           "Options:\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "ヌボラ is a desktop program: it needs a graphical session (DISPLAY or WAYLAND_DISPLAY).\n";
}

std::string NoDisplayText()
{
    return "ヌボラ needs a graphical session, and none was found (neither DISPLAY nor\n"
           "WAYLAND_DISPLAY is set): start it from a desktop, or with ssh -X.\n"
           "To see it anyway, run\n"
           "    make run-vnc\n"
           "which serves the window to a VNC viewer on this machine (localhost only).\n";
}

}  // namespace nubora
