// The open and save file dialogs.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace nubora::fw {

struct FileDialogRequest {
    // Filter in the template form "description(*.ext)|*.ext||".
    QString filter;
    // Suffix added to a typed name without one, without the dot ("aqr"); when
    // the user picks another type of the filter, that type's suffix.
    QString defaultSuffix;
    // Folder the dialog starts in.
    QString initialFolder;
};

class FileService {
public:
    virtual ~FileService() = default;
    // The chosen existing file, or nothing when the user cancels.
    virtual std::optional<QString> OpenFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // The chosen file to write, the user having agreed to replace an existing
    // one, or nothing when the user cancels.
    virtual std::optional<QString> SaveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
};

class QtFileService final : public FileService {
public:
    std::optional<QString> OpenFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(QWidget* owner, const FileDialogRequest& request) override;
};

// "desc(*.x)|*.x||" as a Qt name filter: "desc(*.x)" when the description
// ends in its pattern, else "desc (*.x)". Several pairs become several
// filters separated by ";;".
QString QtNameFilter(const QString& templateFilter);

// ~/<name> when that folder exists, else the home folder. Creates nothing.
QString InitialFolder(const QString& name);

}  // namespace nubora::fw
