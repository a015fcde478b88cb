// ヌボラ: QR Code symbols from typed data.
#include "nubora/app/qr_app.h"
#include "nubora/app/start_mode.h"
#include "nubora/framework/dialog_units.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    // Answered before Qt starts: without a display Qt would abort the
    // process instead of saying what is missing.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    switch (nubora::ChooseStartMode(arguments, nubora::CurrentDisplayEnvironment())) {
    case nubora::StartMode::ShowVersion: std::fputs(nubora::VersionText().c_str(), stdout); return 0;
    case nubora::StartMode::ShowHelp: std::fputs(nubora::HelpText().c_str(), stdout); return 0;
    case nubora::StartMode::NoDisplay: std::fputs(nubora::NoDisplayText().c_str(), stderr); return 1;
    case nubora::StartMode::Run: break;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nubora"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(nubora::fw::DialogFont());
    QApplication::setDesktopFileName(QStringLiteral("jp.nubora.Nubora"));

    // Standard buttons and dialogs in Japanese.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    // Every argument Qt leaves is a data file to open (nubora FILE…).
    nubora::QrApp app;
    return app.InitInstance(QApplication::arguments().mid(1));
}
