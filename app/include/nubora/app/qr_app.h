// The application object: one per process. Makes sure one copy runs per
// user, then runs the main menu until it ends.
#pragma once

#include "nubora/app/single_instance.h"

#include <QStringList>

#include <memory>

namespace nubora {

namespace fw {
class MessageService;
}

class QrApp {
public:
    QrApp();
    ~QrApp();
    QrApp(const QrApp&) = delete;
    QrApp& operator=(const QrApp&) = delete;

    // Start-up. The first copy runs the main menu until it ends, opening the
    // data `files` (from the command line) in turn once it is up. A second
    // copy without files reports kAlreadyRunning and asks the running copy to
    // come to the front; with files it says nothing, hands them to the running
    // copy to open (absolute paths) and returns once they are sent. Returns
    // the process's exit code, 0.
    int InitInstance(const QStringList& files = {});

private:
    // The single-instance marker, held while the menu runs.
    std::unique_ptr<SingleInstance> instanceMutex;
    std::unique_ptr<fw::MessageService> messages_;
};

}  // namespace nubora
