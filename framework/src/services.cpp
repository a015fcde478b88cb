#include "nubora/framework/services.h"

namespace nubora::fw {
namespace {

Services& Installed()
{
    static QtMessageService messages;
    static QtFileService files;
    static QtPrintService printing;
    static QtClipboardService clipboard;
    static Services services{&messages, &files, &printing, &clipboard, QString()};
    return services;
}

}  // namespace

const Services& CurrentServices() { return Installed(); }

ScopedServices::ScopedServices(const Services& services) : previous_(Installed())
{
    Services& installed = Installed();
    if (services.messages)
        installed.messages = services.messages;
    if (services.files)
        installed.files = services.files;
    if (services.printing)
        installed.printing = services.printing;
    if (services.clipboard)
        installed.clipboard = services.clipboard;
    if (!services.caption.isNull())
        installed.caption = services.caption;
}

ScopedServices::~ScopedServices() { Installed() = previous_; }

Answer ShowMessageBox(QWidget* owner, const QString& text, BoxType type)
{
    const Services& services = CurrentServices();
    return services.messages->Show({owner, services.caption, text, type});
}

}  // namespace nubora::fw
