// The application object: one per process. Makes sure one copy runs per
// user, then runs the main menu until it ends.
#pragma once

#include "nubora/app/single_instance.h"

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

    // Start-up: a second copy reports kAlreadyRunning, asks the running copy to
    // come to the front and returns; the first copy runs the main menu until
    // it ends. Returns the process's exit code, 0.
    int InitInstance();

private:
    // The single-instance marker, held while the menu runs.
    std::unique_ptr<SingleInstance> instanceMutex;
    std::unique_ptr<fw::MessageService> messages_;
};

}  // namespace nubora
