#include "nubora/app/qr_app.h"

#include "nubora/app/main_menu_dialog.h"
#include "nubora/framework/services.h"
#include "nubora/framework/trace.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QFileInfo>

#include <utility>

namespace nubora {

QrApp::QrApp()
{
    // With a trace file the boxes are written there instead of shown.
    if (fw::TraceEnabled())
        messages_ = std::make_unique<fw::TraceMessageService>();
    else
        messages_ = std::make_unique<fw::QtMessageService>();
}

QrApp::~QrApp() = default;

int QrApp::InitInstance(const QStringList& files)
{
    const fw::ScopedServices services(
        fw::Services{messages_.get(), nullptr, nullptr, nullptr, res::LoadString(res::str::kCaption)});
    auto marker = std::make_unique<SingleInstance>();
    if (marker->ConnectToRunningCopy()) {
        if (files.isEmpty()) {
            ShowMessage(nullptr, res::str::kAlreadyRunning);
            marker->AskRunningCopyToFront();
        } else {
            QStringList absolute;
            for (const QString& file : files)
                absolute << QFileInfo(file).absoluteFilePath();
            marker->AskRunningCopyToOpen(absolute);
        }
        return 0;
    }
    // If listening fails the program runs all the same, only unmarked.
    if (marker->Listen())
        instanceMutex = std::move(marker);

    MainMenuDialog menu;
    // The files another copy hands over come one by one and then its request
    // to come to the front: they open together then, so that the pictures of
    // a split are read as one, and the requests behind wait for any message.
    QStringList handed;
    if (instanceMutex) {
        instanceMutex->SetFrontHandler([&menu, &handed] {
            if (!handed.isEmpty())
                menu.OpenFiles(std::exchange(handed, {}));
            menu.BringToFront();
        });
        instanceMutex->SetOpenHandler([&handed](const QString& path) { handed << path; });
    }
    // Once the menu is up: a file opens over it as from its screen. One call
    // for all, in order: a message box about one file keeps the next waiting
    // instead of letting it run inside the box's loop and be refused.
    if (!files.isEmpty()) {
        QMetaObject::invokeMethod(
            &menu, [&menu, files] { menu.OpenFiles(files); }, Qt::QueuedConnection);
    }
    menu.RunModalLoop();
    if (instanceMutex) {
        instanceMutex->SetFrontHandler({});
        instanceMutex->SetOpenHandler({});
    }
    return 0;
}

}  // namespace nubora
