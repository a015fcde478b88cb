#include "nubora/framework/testing/scripted_services.h"

#include <QPrinter>
#include <QWidget>

namespace nubora::fw::testing {

void ScriptedMessageService::ScriptAnswers(std::initializer_list<Answer> answers)
{
    answers_.insert(answers_.end(), answers);
}

Answer ScriptedMessageService::Show(const MessageBoxRequest& request)
{
    boxes_.push_back({request.owner ? request.owner->window()->windowTitle() : QString(), request.owner != nullptr,
                      request.caption, request.text, request.type});
    if (request.type != BoxType::Question)
        return Answer::Ok;
    if (answers_.empty()) {
        ++unscripted_;
        return Answer::No;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedFileService::OpenFileName(QWidget*, const FileDialogRequest& request)
{
    requests_.push_back(request);
    if (openAnswers_.empty())
        return std::nullopt;
    const QString path = openAnswers_.front();
    openAnswers_.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedFileService::SaveFileName(QWidget*, const FileDialogRequest& request)
{
    requests_.push_back(request);
    if (saveAnswers_.empty())
        return std::nullopt;
    const QString path = saveAnswers_.front();
    saveAnswers_.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

namespace {

class ImagePrintTarget final : public PrintTarget {
public:
    ImagePrintTarget(int dpi, QSize page, std::vector<QImage>& pages) : page_(page, QImage::Format_RGB32), pages_(pages)
    {
        page_.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(dpi / 0.0254 + 0.5);
        page_.setDotsPerMeterX(dotsPerMetre);
        page_.setDotsPerMeterY(dotsPerMetre);
        dpi_ = dpi;
    }
    int DotsPerInchY() const override { return dpi_; }
    QPaintDevice& Device() override { return page_; }
    bool NewPage() override
    {
        // A deep copy: the painter goes on drawing into this image's pixels.
        pages_.push_back(page_.copy());
        page_.fill(Qt::white);
        return true;
    }
    void Finish() override { pages_.push_back(page_); }

private:
    QImage page_;
    std::vector<QImage>& pages_;
    int dpi_ = 0;
};

}  // namespace

std::unique_ptr<PrintTarget> ScriptedPrintService::ChoosePrinter(QWidget*, const PrintRequest& request)
{
    requests_.push_back(request);
    if (cancel_)
        return nullptr;
    if (!pdfPath_.isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath_);
        printer->setResolution(dpi_);
        PreparePrinter(*printer, request);
        return PrinterTarget(std::move(printer));
    }
    QSize page = page_;
    if (!request.paperMm.isEmpty())
        page = (request.paperMm * dpi_ / 25.4).toSize();
    return std::make_unique<ImagePrintTarget>(dpi_, page, pages_);
}

ScriptedServices::ScriptedServices()
    : scope_(Services{&messages, &files, &printing, &clipboard, QStringLiteral("ヌボラ")})
{
}

}  // namespace nubora::fw::testing
