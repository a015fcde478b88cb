// The dialog of "CSVから一括作成…": a CSV file of entries (its kind told by
// its header) becomes sheets of business cards or labels, one code a label,
// saved as one PDF. It offers the payload form and code settings, the
// layout, the caption and the first label, shows the first sheet and the
// printed module, works through the rows a few at a time with a progress
// bar and a cancel button, and lists the rows that made no label. The work
// itself is the window-free SheetJob's.
#pragma once

#include "nubora/logic/code_settings.h"
#include "nubora/logic/sheet_job.h"

#include <QDialog>
#include <QString>

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
    // Stops a run: nothing is written.
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
    // The module size line, the advice and the preview for the controls now.
    void UpdatePreview();
    void Step();
    void FinishRun();
    void ShowFailures();
    // The layout chosen, the plain grid sized for the version chosen.
    SheetLayout ChosenLayout() const;

    std::vector<SheetLayout> layouts_;
    std::optional<SheetJob> job_;
    QString outputPath_;
    QTimer* timer_ = nullptr;
};

}  // namespace nubora
