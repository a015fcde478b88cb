// The dialog of "CSVから一括作成…": a CSV file of entries (its kind told by
// its header) becomes sheets of business cards or labels, one code a label,
// saved as one PDF or printed. It offers the payload form and code settings, the
// layout, the caption and the first label, shows the first sheet and the
// printed module, works through the rows a few at a time with a progress
// bar and a cancel button, and lists the rows that made no label. The work
// itself is the window-free SheetJob's.
#pragma once

#include "nubora/framework/print_service.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/sheet_job.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace nubora {

class SheetPreview;

class SheetDialog final : public QDialog {
public:
    // Starts from `settings`' level, version, cell size and payload form.
    explicit SheetDialog(const CodeSettings& settings, QWidget* parent = nullptr);
    ~SheetDialog() override;

    // Reads the CSV file at `path` and, when it can be used, offers its
    // captions and shows its first sheet; else shows why in the status line,
    // the file held before dropped.
    void OpenCsv(const QString& path);
    // Asks for the PDF file (the file service) and starts the run; nothing
    // without a CSV file or when the dialog is cancelled.
    void SaveAsPdf();
    // Asks for the printer (the print service), then runs the rows as
    // SaveAsPdf does and prints the sheets on it (PrintSheets); with no
    // printer installed it says so (kNoPrinter) and runs nothing. Nothing
    // without a CSV file; nothing run when the print dialog is cancelled or
    // the paper chosen there is not the layout's (kSheetPaperMismatch),
    // nothing printed when the run is cancelled.
    void Print();
    // Stops a run: nothing is written or printed.
    void CancelRun();
    // Asks for a file (the file service) and writes the list of failed rows.
    void SaveFailureList();

    // True while a run goes on.
    bool Running() const;
    // The options the controls hold now.
    SheetJobOptions Options() const;

    // Rows taken per step of a run, between which the window stays live.
    static constexpr size_t kRowsPerStep = 8;

    // The controls, for tests.
    QLineEdit* csvPath = nullptr;
    QPushButton* browse = nullptr;
    QComboBox* form = nullptr;
    QComboBox* level = nullptr;
    QComboBox* version = nullptr;
    QComboBox* cellSize = nullptr;
    QComboBox* layout = nullptr;
    QComboBox* caption = nullptr;
    QSpinBox* startLabel = nullptr;
    QLabel* moduleSize = nullptr;
    QLabel* advice = nullptr;
    QLabel* status = nullptr;
    SheetPreview* preview = nullptr;
    QProgressBar* progress = nullptr;
    QListWidget* failures = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* saveListButton = nullptr;

protected:
    void reject() override;

private:
    void CreateControls();
    void ConnectHandlers();
    // Enables what the state allows: the run's controls while it goes on.
    void UpdateInterface();
    // The caption choices for the CSV file held.
    void FillCaptions();
    // The status line of the file held (a job must be held): its kind and rows.
    QString JobLine() const;
    // The module size line, the advice and the preview for the controls now.
    void UpdatePreview();
    // The module size line, the advice and the highest first label.
    void UpdateOptionLines();
    // The preview of the first sheet (or why there is none) for the options now.
    void ShowFirstSheet();
    // An option changed: its lines at once, the preview once they settle.
    void OptionChanged();
    // Starts a run of the rows for `output`; false (and why in the status
    // line) when the options are refused.
    bool StartRun(SheetRunOutput output);
    void Step();
    void FinishRun();
    // Asks for the printer and prints the labels of the run just done.
    void PrintRun();
    // The rows that made no label: the run's, then those the printer refused.
    std::vector<SheetRowFailure> AllFailures() const;
    void ShowFailures();
    // The layout chosen, the plain grid sized for the version chosen.
    SheetLayout ChosenLayout() const;

    std::vector<SheetLayout> layouts_;
    std::optional<SheetJob> job_;
    QString outputPath_;
    SheetRunOutput runOutput_ = SheetRunOutput::Pdf;
    // The rows whose code did not fit its label at the printer's module.
    std::vector<SheetRowFailure> printRefused_;
    // The status line of the preview's last failure; empty when it showed.
    QString previewFailure_;
    // The resolution the module line counts dots at: the last printer's.
    int printerDpi_;
    QTimer* timer_ = nullptr;
    // The printer chosen before a run for labels, printed on when it ends.
    std::unique_ptr<fw::PrintTarget> printer_;
    // Single-shot: the preview after the options settle (kPreviewDelayMs).
    QTimer* previewDelay_ = nullptr;
};

}  // namespace nubora
