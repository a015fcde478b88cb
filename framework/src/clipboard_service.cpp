#include "nubora/framework/clipboard_service.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace nubora::fw {

void QtClipboardService::SetImage(const QImage& image, const Formats& alsoAs)
{
    auto* data = new QMimeData;
    data->setImageData(image);
    for (const auto& [type, bytes] : alsoAs)
        data->setData(type, bytes);
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it
}

}  // namespace nubora::fw
