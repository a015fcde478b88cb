#include "nubora/app/code_import.h"

#include "nubora/logic/code_entry.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QMimeData>
#include <QThread>
#include <QUrl>

namespace nubora {
namespace {

// The characters of each code's text shown in the list to choose from.
constexpr int kShownChars = 40;

Result<std::vector<ReadCode>, ReadFailure> ReadPicture(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        return Fail(ReadFailure{ReadFailureKind::NotAnImage, {}, {}});
    const PixelView view{grey.constBits(), grey.width(), grey.height(), static_cast<int>(grey.bytesPerLine()),
                         PixelFormat::Grey};
    auto symbols = FindSymbols(view);
    if (!symbols)
        return Fail(symbols.Error());
    return JoinCodes(*symbols);
}

Result<std::vector<ReadCode>, ReadFailure> Read(const CodeSource& source)
{
    if (source.paths.isEmpty())
        return ReadPicture(source.picture);
    std::vector<std::string> paths;
    for (const QString& path : source.paths)
        paths.push_back(QFile::encodeName(path).toStdString());
    return ReadCodesInFiles(paths);
}

}  // namespace

bool IsPictureName(const QString& path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toUtf8();
    return suffix == "pdf" || QImageReader::supportedImageFormats().contains(suffix);
}

std::optional<CodeSource> CodeSourceOf(const QMimeData& data)
{
    CodeSource source;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            source.paths << url.toLocalFile();
    }
    if (source.paths.isEmpty() && data.hasImage())
        source.picture = qvariant_cast<QImage>(data.imageData());
    if (source.paths.isEmpty() && source.picture.isNull())
        return std::nullopt;
    return source;
}

Result<std::vector<ReadCode>, ReadFailure> ReadCodesOffThread(const CodeSource& source)
{
    std::optional<Result<std::vector<ReadCode>, ReadFailure>> result;
    QThread* worker = QThread::create([&] { result.emplace(Read(source)); });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    worker->start();
    // Painting goes on while the picture is read; clicks and keys wait.
    if (!worker->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
    QApplication::restoreOverrideCursor();
    return std::move(*result);
}

std::optional<std::size_t> ChooseCode(const std::vector<ReadCode>& codes, QWidget* over)
{
    if (codes.size() < 2)
        return 0;
    QStringList items;
    for (std::size_t i = 0; i < codes.size(); ++i)
        items << QStringLiteral("%1: %2").arg(i + 1).arg(QString::fromStdString(TextStart(codes[i].text, kShownChars)));
    bool chosen = false;
    const QString item = QInputDialog::getItem(over, res::LoadString(res::str::kCaption),
                                               res::LoadString(res::str::kChooseCodeQuestion), items, 0, false,
                                               &chosen);
    if (!chosen)
        return std::nullopt;
    return static_cast<std::size_t>(items.indexOf(item));
}

}  // namespace nubora
