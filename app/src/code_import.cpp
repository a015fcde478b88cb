#include "nubora/app/code_import.h"

#include "nubora/logic/code_entry.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>

namespace nubora {
namespace {

// The characters of each code's text shown in the list to choose from.
constexpr int kShownChars = 40;

Result<std::vector<ReadCode>, ReadFailure> ReadPicture(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        return Fail(ReadFailure{ReadFailureKind::NotAnImage, {}, {}});
    const PixelView view{grey.constBits(), grey.width(), grey.height(), static_cast<int>(grey.bytesPerLine())};
    auto symbols = FindSymbols(view);
    if (!symbols)
        return Fail(symbols.Error());
    return JoinCodes(*symbols);
}

// What a reading's worker shares with the call that started it: after a
// cancel the call returns while the worker still runs, so both own it.
struct Reading {
    explicit Reading(const CodeSource& from) : source(from) {}
    const CodeSource source;
    std::atomic<bool> cancelled{false};
    // Written by the worker before it ends; read only after it has ended.
    std::optional<Result<std::vector<ReadCode>, ReadFailure>> result;
};

// As ReadCodesInFiles, but a cancelled reading stops before its next file.
Result<std::vector<ReadCode>, ReadFailure> Read(const Reading& reading)
{
    const CodeSource& source = reading.source;
    if (source.paths.isEmpty())
        return ReadPicture(source.picture);
    std::vector<FoundSymbol> all;
    for (const QString& path : source.paths) {
        // Nobody looks at a cancelled reading's result.
        if (reading.cancelled)
            return Fail(ReadFailure{ReadFailureKind::NoCode, {}, {}});
        Result<std::vector<FoundSymbol>, ReadFailure> found = FindSymbolsInFile(QFile::encodeName(path).toStdString());
        if (!found)
            return Fail(found.Error());
        std::ranges::move(found.Value(), std::back_inserter(all));
    }
    return JoinCodes(all);
}

// True when `target` (a widget or a window) belongs to `modal`'s window.
bool IsInside(const QObject* target, const QWidget* modal)
{
    if (const auto* widget = qobject_cast<const QWidget*>(target))
        return widget->window() == modal;
    const auto* window = qobject_cast<const QWindow*>(target);
    return window && window == modal->windowHandle();
}

// While a reading runs: Esc, or a window's close request, ends `loop` as
// cancelled; every other click, key, shortcut or drop is dropped, so that
// nothing starts meanwhile. Painting and timers go on. A modal window that
// opens meanwhile (a message about a request that came during the reading)
// gets its input as ever, Esc included, or nobody could close it.
class CancelOnEscape final : public QObject {
public:
    explicit CancelOnEscape(QEventLoop& loop) : loop_(loop), modalBefore_(QApplication::activeModalWidget())
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool Cancelled() const { return cancelled_; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != modalBefore_ && IsInside(target, modal))
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                Cancel();
            return true;
        case QEvent::Close:
            // Only a widget's own close request: the window's comes first and
            // asks the widget, whose refusal keeps the window open.
            if (!target->isWidgetType())
                return false;
            event->ignore();
            Cancel();
            return true;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd: return true;
        default: return false;
        }
    }

private:
    void Cancel()
    {
        cancelled_ = true;
        loop_.quit();
    }
    QEventLoop& loop_;
    // The modal window up when the reading started, whose input stays dropped.
    const QPointer<QWidget> modalBefore_;
    bool cancelled_ = false;
};

// Workers of cancelled readings that may still run; touched on the GUI thread only.
std::vector<QThread*>& CancelledWorkers()
{
    static std::vector<QThread*> workers;
    return workers;
}

// Frees `worker` once it has ended, unless WaitForCancelledReadings already did.
void Forget(QThread* worker)
{
    std::vector<QThread*>& workers = CancelledWorkers();
    const auto at = std::ranges::find(workers, worker);
    if (at == workers.end())
        return;
    workers.erase(at);
    worker->wait();
    delete worker;
}

// Leaves `worker` to end on its own, freed when it does or when the
// application ends.
void Abandon(QThread* worker)
{
    static const bool waitsAtExit = [] {
        qAddPostRoutine(&WaitForCancelledReadings);
        return true;
    }();
    (void)waitsAtExit;
    CancelledWorkers().push_back(worker);
    QObject* app = QCoreApplication::instance();
    QObject::connect(
        worker, &QThread::finished, app, [worker] { Forget(worker); }, Qt::QueuedConnection);
    // It may have ended before the connection was made.
    if (worker->isFinished())
        QMetaObject::invokeMethod(
            app, [worker] { Forget(worker); }, Qt::QueuedConnection);
}

}  // namespace

bool IsCancelled(const OffThreadFailure& failure) { return std::holds_alternative<ReadCancelled>(failure); }

void WaitForCancelledReadings()
{
    std::vector<QThread*>& workers = CancelledWorkers();
    while (!workers.empty())
        Forget(workers.back());
}

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

Result<std::vector<ReadCode>, OffThreadFailure> ReadCodesOffThread(const CodeSource& source)
{
    auto reading = std::make_shared<Reading>(source);
    QThread* worker = QThread::create([reading] { reading->result.emplace(Read(*reading)); });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    const CancelOnEscape cancel(loop);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    worker->start();
    if (!worker->isFinished())
        loop.exec();
    QApplication::restoreOverrideCursor();
    if (cancel.Cancelled()) {
        reading->cancelled = true;
        Abandon(worker);
        return Fail(OffThreadFailure{ReadCancelled{}});
    }
    worker->wait();
    delete worker;
    if (!*reading->result)
        return Fail(OffThreadFailure{reading->result->Error()});
    return std::move(reading->result->Value());
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
