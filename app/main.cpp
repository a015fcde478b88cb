// ヌボラ: QR Code symbols from typed data.
#include "nubora/app/qr_app.h"
#include "nubora/framework/dialog_units.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
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
