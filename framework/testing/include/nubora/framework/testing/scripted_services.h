// Scripted stand-ins for the platform services, for tests: each records what
// was asked and gives the answer scripted beforehand, so that no test waits
// on a real dialog. Install them with ScriptedServices.
#pragma once

#include "nubora/framework/services.h"

#include <QImage>
#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace nubora::fw::testing {

struct RecordedBox {
    QString ownerTitle;  // window title of the owner's window; empty without owner
    bool hasOwner;
    QString caption;
    QString text;
    BoxType type;
};

class ScriptedMessageService final : public MessageService {
public:
    // Answers for the next questions, in order. A question without a scripted
    // answer is answered No and counted in UnscriptedQuestions.
    void ScriptAnswers(std::initializer_list<Answer> answers);
    Answer Show(const MessageBoxRequest& request) override;

    const std::vector<RecordedBox>& Boxes() const { return boxes_; }
    int UnscriptedQuestions() const { return unscripted_; }
    void Clear() { boxes_.clear(); }

private:
    std::deque<Answer> answers_;
    std::vector<RecordedBox> boxes_;
    int unscripted_ = 0;
};

class ScriptedFileService final : public FileService {
public:
    // The next open / save dialog chooses `path`; an empty path cancels.
    void ScriptOpen(const QString& path) { openAnswers_.push_back(path); }
    void ScriptSave(const QString& path) { saveAnswers_.push_back(path); }
    std::optional<QString> OpenFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(QWidget* owner, const FileDialogRequest& request) override;
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }

private:
    std::deque<QString> openAnswers_;
    std::deque<QString> saveAnswers_;
    std::vector<FileDialogRequest> requests_;
};

// Prints onto images of the scripted resolution, or into a PDF file through a
// real printer; or cancels.
class ScriptedPrintService final : public PrintService {
public:
    using PrintService::ChoosePrinter;
    // Pages of `page` pixels, or of the paper asked for at `dotsPerInch`.
    void ScriptPrinter(int dotsPerInch, QSize page)
    {
        dpi_ = dotsPerInch;
        page_ = page;
        cancel_ = false;
        pdfPath_.clear();
    }
    // A real printer (QPrinter) that writes `path` as a PDF file at
    // `dotsPerInch`, set up for the request as the print dialog's printer is.
    void ScriptPdfPrinter(int dotsPerInch, const QString& path)
    {
        dpi_ = dotsPerInch;
        cancel_ = false;
        pdfPath_ = path;
    }
    void ScriptCancel() { cancel_ = true; }
    // A machine with no printer installed.
    void ScriptNoPrinter() { installed_ = false; }
    bool HasPrinter() const override { return installed_; }
    std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner, const PrintRequest& request) override;
    // Every finished page on images, in order.
    const std::vector<QImage>& Pages() const { return pages_; }
    int DialogsShown() const { return static_cast<int>(requests_.size()); }
    // What each dialog was asked, in order.
    const std::vector<PrintRequest>& Requests() const { return requests_; }

private:
    int dpi_ = 600;
    QSize page_{4960, 7016};
    QString pdfPath_;
    bool cancel_ = true;
    bool installed_ = true;
    std::vector<PrintRequest> requests_;
    std::vector<QImage> pages_;
};

class ScriptedClipboardService final : public ClipboardService {
public:
    void SetImage(const QImage& image, const Formats& alsoAs = {}) override
    {
        images_.push_back(image);
        formats_.push_back(alsoAs);
    }
    const std::vector<QImage>& Images() const { return images_; }
    // The other formats of each image, in the same order.
    const std::vector<Formats>& OtherFormats() const { return formats_; }

private:
    std::vector<QImage> images_;
    std::vector<Formats> formats_;
};

// All four scripted services, installed (with the caption "ヌボラ") for the
// lifetime of this object.
class ScriptedServices {
public:
    ScriptedServices();
    ScriptedMessageService messages;
    ScriptedFileService files;
    ScriptedPrintService printing;
    ScriptedClipboardService clipboard;

private:
    ScopedServices scope_;
};

}  // namespace nubora::fw::testing
