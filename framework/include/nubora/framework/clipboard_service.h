// The clipboard.
#pragma once

class QImage;

namespace nubora::fw {

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // Replaces the clipboard's content with `image`.
    virtual void SetImage(const QImage& image) = 0;
};

class QtClipboardService final : public ClipboardService {
public:
    void SetImage(const QImage& image) override;
};

}  // namespace nubora::fw
