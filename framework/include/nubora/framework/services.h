// The platform services the screens use: message boxes, file dialogs, the
// print dialog and the clipboard. The program installs the real ones at
// start-up; a test installs scripted ones for its duration (ScopedServices).
#pragma once

#include "nubora/framework/clipboard_service.h"
#include "nubora/framework/file_service.h"
#include "nubora/framework/message_service.h"
#include "nubora/framework/print_service.h"

#include <QString>

class QWidget;

namespace nubora::fw {

struct Services {
    MessageService* messages = nullptr;
    FileService* files = nullptr;
    PrintService* printing = nullptr;
    ClipboardService* clipboard = nullptr;
    // Caption of every message box.
    QString caption;
};

// The services in use. Until something is installed, the Qt implementations
// with an empty caption.
const Services& CurrentServices();

// Installs `services` for the lifetime of this object, then restores the
// previous ones. A null member keeps the service installed before.
class ScopedServices {
public:
    explicit ScopedServices(const Services& services);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services previous_;
};

// Shows a box of `type` with the current caption, owned by `owner`.
Answer ShowMessageBox(QWidget* owner, const QString& text, BoxType type);

}  // namespace nubora::fw
