#include "nubora/app/sheet_dialog.h"

#include "nubora/app/code_setting_items.h"
#include "nubora/app/sheet_preview.h"
#include "nubora/app/sheet_printer.h"
#include "nubora/framework/accessibility.h"
#include "nubora/framework/services.h"
#include "nubora/logic/file_io.h"
#include "nubora/logic/glabels_templates.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStringDecoder>
#include <QTimer>

#include <cmath>

namespace nubora {
namespace {

// The resolution the dots of the module line are counted at until a printer is chosen.
constexpr int kPrinterDpi = 600;
// Characters the layout list is wide enough for.
constexpr int kLayoutListChars = 28;
// The plain grid is sized for this version when the version is automatic.
constexpr int kGridVersionWhenAutomatic = 10;

// The caption choices: the words the job takes, then the header's columns.
constexpr const char* kCaptionNone = "none";
constexpr const char* kCaptionName = "name";

// What each kind's "name" caption is called.
QString NameCaptionText(BatchKind kind)
{
    switch (kind) {
    case BatchKind::Address: return QStringLiteral("名前");
    case BatchKind::Mail: return QStringLiteral("件名");
    case BatchKind::Text: break;
    }
    return QStringLiteral("1行目");
}

QString KindText(BatchKind kind)
{
    switch (kind) {
    case BatchKind::Address: return QStringLiteral("アドレス帳");
    case BatchKind::Mail: return QStringLiteral("Eメール");
    case BatchKind::Text: break;
    }
    return QStringLiteral("フリーテキスト");
}

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Papers within this many millimetres each way are the same paper.
constexpr double kPaperToleranceMm = 1.0;

bool SamePaper(QSizeF a, QSizeF b)
{
    return std::abs(a.width() - b.width()) <= kPaperToleranceMm &&
           std::abs(a.height() - b.height()) <= kPaperToleranceMm;
}

// "210×297" for a paper of `mm`, whole millimetres.
QString MmSize(QSizeF mm) { return QStringLiteral("%1×%2").arg(std::lround(mm.width())).arg(std::lround(mm.height())); }

// How long the preview waits for the options to settle, in milliseconds.
constexpr int kPreviewDelayMs = 150;

// True when `csv` is Shift_JIS (CP932), as a spreadsheet saves a Japanese
// CSV by default: it has no UTF-8 byte-order mark and is no UTF-8 text.
bool IsCp932Csv(const std::string& csv)
{
    if (csv.starts_with("\xEF\xBB\xBF"))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(QByteArrayView(csv.data(), static_cast<qsizetype>(csv.size())));
    return utf8.hasError();
}

}  // namespace

SheetDialog::SheetDialog(const CodeSettings& settings, QWidget* parent) : QDialog(parent), printerDpi_(kPrinterDpi)
{
    setWindowTitle(res::LoadString(res::str::kSheetDialogTitle));
    layouts_ = AvailableSheetLayouts(ReadGlabelsTemplates());
    CreateControls();
    form->setCurrentIndex(settings.form == PayloadForm::Standard ? 1 : 0);
    level->setCurrentIndex(std::clamp(settings.autoAdjust ? CodeSettings().shownLevel : settings.shownLevel, 1, 4) - 1);
    version->setCurrentIndex(settings.autoAdjust ? 0 : std::clamp(settings.version, 0, kHighestOfferedVersion));
    cellSize->setCurrentIndex(std::clamp(settings.cellSizeIndex, 0, cellSize->count() - 1));
    ConnectHandlers();
    UpdatePreview();
    UpdateInterface();
    // Choosing the file is the first step.
    browse->setFocus(Qt::OtherFocusReason);
}

SheetDialog::~SheetDialog() = default;

void SheetDialog::CreateControls()
{
    auto* grid = new QGridLayout;
    int row = 0;
    // A label and its control on one row; the control takes the label's words as its name.
    const auto add = [&](const char* text, QWidget* control, QWidget* beside = nullptr) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(control);
        control->setAccessibleName(fw::NameOfLabel(label->text()));
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1, 1, beside ? 1 : 2);
        if (beside)
            grid->addWidget(beside, row, 2);
        ++row;
    };
    csvPath = new QLineEdit(this);
    csvPath->setReadOnly(true);
    browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setAccessibleName(QStringLiteral("CSVファイルを選ぶ"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const fw::FileDialogRequest request{QStringLiteral("CSVファイル(*.csv)|*.csv||"), QStringLiteral("csv"),
                                            fw::InitialFolder(QStringLiteral("CSV"))};
        if (const std::optional<QString> path = fw::CurrentServices().files->OpenFileName(this, request))
            OpenCsv(*path);
    });
    add("CSVファイル：", csvPath, browse);
    form = new QComboBox(this);
    AddFormItems(*form);
    add("形式：", form);
    level = new QComboBox(this);
    AddLevelItems(*level);
    add("誤り訂正レベル：", level);
    version = new QComboBox(this);
    version->addItem(QStringLiteral("自動"));
    AddVersionItems(*version);
    add("バージョン：", version);
    cellSize = new QComboBox(this);
    AddCellSizeItems(*cellSize);
    add("セルサイズ：", cellSize);
    layout = new QComboBox(this);
    for (const SheetLayout& sheet : layouts_)
        layout->addItem(Utf8(sheet.name + "  " + sheet.description), Utf8(sheet.name));
    layout->insertItem(static_cast<int>(BuiltInSheetLayouts().size()),
                       Utf8(std::string(kPlainGridName) + "  A4 に並べる正方形のラベル"),
                       Utf8(std::string(kPlainGridName)));
    layout->setCurrentIndex(0);
    // The glabels makers' long names would widen the window past small screens.
    layout->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->setMinimumContentsLength(kLayoutListChars);
    add("レイアウト：", layout);
    caption = new QComboBox(this);
    add("キャプション：", caption);
    startLabel = new QSpinBox(this);
    startLabel->setMinimum(1);
    add("開始ラベル：", startLabel);
    moduleSize = new QLabel(this);
    add("モジュール：", moduleSize);
    advice = new QLabel(this);
    advice->setWordWrap(true);
    advice->setAccessibleName(QStringLiteral("印刷の助言"));
    grid->addWidget(advice, row++, 0, 1, 3);
    progress = new QProgressBar(this);
    cancelButton = new QPushButton(QStringLiteral("中止"), this);
    add("進み具合：", progress, cancelButton);
    cancelButton->setAccessibleName(QStringLiteral("中止"));
    status = new QLabel(this);
    status->setWordWrap(true);
    status->setAccessibleName(QStringLiteral("状態"));
    grid->addWidget(status, row++, 0, 1, 3);
    failures = new QListWidget(this);
    saveListButton = new QPushButton(QStringLiteral("一覧を保存..."), this);
    saveListButton->setAccessibleName(QStringLiteral("作れなかった行の一覧を保存"));
    add("作れなかった行：", failures, saveListButton);

    preview = new SheetPreview(this);
    auto* buttons = new QHBoxLayout;
    saveButton = new QPushButton(QStringLiteral("PDFで保存..."), this);
    saveButton->setAccessibleName(QStringLiteral("PDFで保存"));
    saveButton->setDefault(true);
    printButton = new QPushButton(QStringLiteral("印刷..."), this);
    printButton->setAccessibleName(QStringLiteral("印刷"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setAccessibleName(QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &SheetDialog::reject);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(printButton);
    buttons->addWidget(close);
    grid->addLayout(buttons, row, 0, 1, 3);
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(grid, 3);
    columns->addWidget(preview, 2);
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    previewDelay_ = new QTimer(this);
    previewDelay_->setSingleShot(true);
    previewDelay_->setInterval(kPreviewDelayMs);
}

void SheetDialog::ConnectHandlers()
{
    for (QComboBox* list : {form, level, version, cellSize, layout, caption})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { OptionChanged(); });
    connect(startLabel, &QSpinBox::valueChanged, this, [this] { OptionChanged(); });
    connect(previewDelay_, &QTimer::timeout, this, [this] { ShowFirstSheet(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { SaveAsPdf(); });
    connect(printButton, &QPushButton::clicked, this, [this] { Print(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { CancelRun(); });
    connect(saveListButton, &QPushButton::clicked, this, [this] { SaveFailureList(); });
    connect(timer_, &QTimer::timeout, this, [this] { Step(); });
}

void SheetDialog::UpdateInterface()
{
    const bool running = Running();
    for (QWidget* control :
         std::initializer_list<QWidget*>{form, level, version, cellSize, layout, caption, startLabel})
        control->setEnabled(!running);
    saveButton->setEnabled(!running && job_.has_value());
    printButton->setEnabled(!running && job_.has_value());
    cancelButton->setEnabled(running);
    saveListButton->setEnabled(!running && failures->count() > 0);
}

void SheetDialog::OpenCsv(const QString& path)
{
    job_.reset();
    printRefused_.clear();
    csvPath->setText(path);
    failures->clear();
    const Result<std::string, FileStatus> read = ReadWholeFile(LocalPath(path));
    Result<SheetJob, SheetCsvFailure> opened = read ? SheetJob::Open(*read, IsCp932Csv(*read))
                                                    : Result<SheetJob, SheetCsvFailure>(Fail(SheetCsvFailure{
                                                          std::string(res::StringText(res::str::kFileReadFailed))}));
    if (!opened) {
        status->setText(Utf8(opened.Error().message));
    } else {
        job_.emplace(std::move(opened).Value());
        status->setText(JobLine());
    }
    FillCaptions();
    UpdatePreview();
    UpdateInterface();
}

void SheetDialog::OptionChanged()
{
    UpdateOptionLines();
    // A spinning box or a run of keys re-encodes the first sheet once.
    previewDelay_->start();
}

QString SheetDialog::JobLine() const
{
    return QStringLiteral("%1：%2 行").arg(KindText(job_->Kind())).arg(job_->Rows());
}

void SheetDialog::FillCaptions()
{
    const QSignalBlocker quiet(caption);
    caption->clear();
    caption->addItem(QStringLiteral("なし"), QString::fromLatin1(kCaptionNone));
    if (!job_)
        return;
    caption->addItem(NameCaptionText(job_->Kind()), QString::fromLatin1(kCaptionName));
    for (const std::string& column : job_->HeaderColumns())
        caption->addItem(QStringLiteral("列 %1").arg(Utf8(column)), Utf8(column));
    // Cards mostly carry their owner's name.
    caption->setCurrentIndex(1);
}

SheetLayout SheetDialog::ChosenLayout() const
{
    const std::string name = layout->currentData().toString().toStdString();
    if (name == kPlainGridName) {
        const int v = version->currentIndex() > 0 ? version->currentIndex() : kGridVersionWhenAutomatic;
        return PlainGridLayout((4 * v + 17 + 8) * CellSizeMm(cellSize->currentIndex()), kBuiltInLabelMarginMm);
    }
    const auto it = std::find_if(layouts_.begin(), layouts_.end(),
                                 [&](const SheetLayout& sheet) { return sheet.name == name; });
    return it == layouts_.end() ? layouts_.front() : *it;
}

SheetJobOptions SheetDialog::Options() const
{
    SheetJobOptions options;
    options.code.form = form->currentIndex() == 1 ? PayloadForm::Standard : PayloadForm::Legacy;
    options.code.level = level->currentIndex() + 1;
    options.code.version = version->currentIndex();
    options.code.autoAdjust = options.code.version == 0;
    options.code.cellSizeIndex = cellSize->currentIndex();
    options.caption = caption->currentData().toString().toStdString();
    if (options.caption.empty())
        options.caption = kCaptionNone;
    options.sheet.layout = ChosenLayout();
    options.sheet.skipLabels = startLabel->value() - 1;
    return options;
}

void SheetDialog::UpdatePreview()
{
    UpdateOptionLines();
    ShowFirstSheet();
}

void SheetDialog::UpdateOptionLines()
{
    if (!startLabel)
        return;
    const SheetJobOptions options = Options();
    {
        const QSignalBlocker quiet(startLabel);
        startLabel->setMaximum(std::max(1, LabelsPerSheet(options.sheet.layout)));
    }
    const double moduleMm = CellSizeMm(options.code.cellSizeIndex);
    const ModuleDots dots = ModuleInDots(moduleMm, printerDpi_);
    moduleSize->setText(QStringLiteral("%1 mm（%2 dpi のプリンターで %3 ドット = %4 mm）")
                            .arg(Utf8(FormatMm2(moduleMm)))
                            .arg(printerDpi_)
                            .arg(dots.dots)
                            .arg(Utf8(FormatMm2(dots.mm))));
    const std::optional<std::string> small = SmallModuleAdvice(moduleMm);
    advice->setText(small ? Utf8(*small) : QString());
}

void SheetDialog::ShowFirstSheet()
{
    previewDelay_->stop();
    if (!startLabel)
        return;
    const SheetJobOptions options = Options();
    if (!job_) {
        preview->SetSheet(options.sheet.layout, {});
        return;
    }
    Result<std::vector<PreviewLabel>, SheetPdfFailure> labels = job_->FirstSheet(options);
    if (!labels) {
        previewFailure_ = Utf8(SheetPdfFailureMessage(labels.Error()));
        status->setText(previewFailure_);
        preview->SetSheet(options.sheet.layout, {});
        return;
    }
    // A failure the new options have mended gives way to the file's line.
    if (!previewFailure_.isEmpty() && status->text() == previewFailure_)
        status->setText(JobLine());
    previewFailure_.clear();
    preview->SetSheet(options.sheet.layout, std::move(labels).Value());
}

bool SheetDialog::Running() const { return timer_->isActive(); }

void SheetDialog::SaveAsPdf()
{
    if (!job_ || Running())
        return;
    const fw::FileDialogRequest request{QStringLiteral("PDFファイル(*.pdf)|*.pdf||"), QStringLiteral("pdf"),
                                        QFileInfo(csvPath->text()).absolutePath()};
    const std::optional<QString> path = fw::CurrentServices().files->SaveFileName(this, request);
    if (!path)
        return;
    outputPath_ = *path;
    StartRun(SheetRunOutput::Pdf);
}

void SheetDialog::Print()
{
    if (!job_ || Running())
        return;
    // With nothing to print on, say so before working through the rows.
    if (!fw::CurrentServices().printing->HasPrinter()) {
        ShowMessage(this, res::str::kNoPrinter);
        return;
    }
    // Chosen before the rows are worked through: a cancel then costs nothing.
    const fw::PrintRequest request = SheetPrintRequest(SheetRunOptions(Options()).layout);
    printer_ = fw::CurrentServices().printing->ChoosePrinter(this, request);
    if (!printer_) {
        status->setText(res::LoadString(res::str::kSheetNothingPrinted));
        return;
    }
    // The labels stand where the layout's paper has them: on another paper
    // they would be misplaced, so nothing is printed.
    if (const QSizeF paper = printer_->PaperMm(); !paper.isEmpty() && !SamePaper(paper, request.paperMm)) {
        printer_.reset();
        const QString text = res::LoadString(res::str::kSheetPaperMismatch).arg(MmSize(paper), MmSize(request.paperMm));
        ShowMessageText(this, res::str::kSheetPaperMismatch, text);
        status->setText(res::LoadString(res::str::kSheetNothingPrinted));
        return;
    }
    printerDpi_ = printer_->DotsPerInchY();
    if (!StartRun(SheetRunOutput::Labels))
        printer_.reset();
}

bool SheetDialog::StartRun(SheetRunOutput output)
{
    if (const Result<void, SheetPdfFailure> started = job_->Start(Options(), output); !started) {
        status->setText(Utf8(SheetPdfFailureMessage(started.Error())));
        return false;
    }
    runOutput_ = output;
    printRefused_.clear();
    failures->clear();
    progress->setRange(0, static_cast<int>(job_->Rows()));
    progress->setValue(0);
    status->clear();
    timer_->start();
    UpdateInterface();
    return true;
}

void SheetDialog::Step()
{
    progress->setValue(static_cast<int>(job_->Step(kRowsPerStep)));
    if (job_->Done())
        FinishRun();
}

void SheetDialog::FinishRun()
{
    timer_->stop();
    if (runOutput_ == SheetRunOutput::Labels) {
        PrintRun();
        return;
    }
    ShowFailures();
    const Result<std::string, SheetPdfFailure> file = job_->Finish();
    if (!file) {
        status->setText(file.Error().problem == SheetPdfProblem::NoLabels ? res::LoadString(res::str::kSheetNothingMade)
                                                                          : Utf8(SheetPdfFailureMessage(file.Error())));
    } else if (!WriteFileAtomically(LocalPath(outputPath_), *file, FileSync::Now)) {
        status->setText(res::LoadString(res::str::kFileOpenFailed));
    } else {
        const size_t made = job_->Rows() - job_->Failures().size();
        status->setText(res::LoadString(res::str::kSheetSaved).arg(made));
    }
    UpdateInterface();
}

void SheetDialog::PrintRun()
{
    ShowFailures();
    const std::unique_ptr<fw::PrintTarget> printer = std::move(printer_);
    const std::vector<SheetRunLabel> labels = job_->TakeLabels();
    UpdateInterface();
    if (labels.empty()) {
        status->setText(res::LoadString(res::str::kSheetNothingMade));
        return;
    }
    const SheetPrintResult printed = PrintSheets(*printer, SheetRunOptions(Options()), labels);
    printRefused_ = printed.refused;
    ShowFailures();
    status->setText(printed.printed ? res::LoadString(res::str::kSheetPrinted).arg(printed.labels)
                                    : res::LoadString(res::str::kSheetPrinterFailed));
    UpdatePreview();
    UpdateInterface();
}

void SheetDialog::CancelRun()
{
    if (!Running())
        return;
    timer_->stop();
    ShowFailures();
    // The run is dropped unfinished: its PDF is never made, so nothing is written.
    job_->Abandon();
    printer_.reset();
    status->setText(runOutput_ == SheetRunOutput::Labels ? res::LoadString(res::str::kSheetNothingPrinted)
                                                         : res::LoadString(res::str::kSheetCancelled));
    UpdateInterface();
}

std::vector<SheetRowFailure> SheetDialog::AllFailures() const
{
    std::vector<SheetRowFailure> all = job_->Failures();
    all.insert(all.end(), printRefused_.begin(), printRefused_.end());
    std::stable_sort(all.begin(), all.end(),
                     [](const SheetRowFailure& a, const SheetRowFailure& b) { return a.row < b.row; });
    return all;
}

void SheetDialog::ShowFailures()
{
    failures->clear();
    for (const SheetRowFailure& failure : AllFailures())
        failures->addItem(QStringLiteral("行 %1: %2").arg(failure.row).arg(Utf8(failure.message)));
}

void SheetDialog::SaveFailureList()
{
    if (!job_ || failures->count() == 0)
        return;
    const fw::FileDialogRequest request{QStringLiteral("テキストファイル(*.txt)|*.txt||"), QStringLiteral("txt"),
                                        QFileInfo(csvPath->text()).absolutePath()};
    const std::optional<QString> path = fw::CurrentServices().files->SaveFileName(this, request);
    if (path && !WriteFileAtomically(LocalPath(*path), SheetFailureList(AllFailures()), FileSync::Now))
        status->setText(res::LoadString(res::str::kFileOpenFailed));
}

void SheetDialog::reject()
{
    CancelRun();
    QDialog::reject();
}

}  // namespace nubora
