// The clipboard.
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

class QImage;

namespace nubora::fw {

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // The same content in other formats: MIME type and bytes.
    using Formats = std::vector<std::pair<QString, QByteArray>>;
    // Replaces the clipboard's content with `image`, offered also in each of
    // `alsoAs` (e.g. "image/png" with a physical size, "image/svg+xml").
    virtual void SetImage(const QImage& image, const Formats& alsoAs = {}) = 0;
};

class QtClipboardService final : public ClipboardService {
public:
    void SetImage(const QImage& image, const Formats& alsoAs = {}) override;
};

}  // namespace nubora::fw
