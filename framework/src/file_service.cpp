#include "nubora/framework/file_service.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace nubora::fw {
namespace {

// "bmp" for a Qt name filter "…(*.bmp)"; empty for "(*.*)" or several patterns.
QString FilterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtNameFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A typed name without extension takes the one of the chosen type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
        const QString suffix = FilterSuffix(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultSuffix : suffix);
    });
    dialog.setDirectory(request.initialFolder);
    // The save dialog asks before replacing a file (Qt's default).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileService::OpenFileName(QWidget* owner, const FileDialogRequest& request)
{
    return RunFileDialog(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileService::SaveFileName(QWidget* owner, const FileDialogRequest& request)
{
    return RunFileDialog(owner, request, QFileDialog::AcceptSave);
}

QString QtNameFilter(const QString& templateFilter)
{
    const QStringList parts = templateFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        // A description that already ends in its pattern in parentheses is
        // what Qt itself reads patterns from: shown as it is, not twice.
        const QString shownPattern = QStringLiteral("(%1)").arg(parts[i + 1]);
        filters << (parts[i].endsWith(shownPattern) ? parts[i] : QStringLiteral("%1 %2").arg(parts[i], shownPattern));
    }
    return filters.join(QStringLiteral(";;"));
}

QString InitialFolder(const QString& name)
{
    const QDir home = QDir::home();
    const QFileInfo folder(home.filePath(name));
    return folder.isDir() ? folder.absoluteFilePath() : home.absolutePath();
}

}  // namespace nubora::fw
