#include "nubora/framework/clipboard_service.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace nubora::fw {

void QtClipboardService::SetImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

}  // namespace nubora::fw
