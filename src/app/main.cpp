#include "app/workfolder.h"
#include "ui/about.h"
#include "ui/mainform.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Amounts are written with "," and dates as dd/mm/yyyy throughout the program.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);

    // Started from the desktop menu, the program works in ~/Korvel; started from a shell, in the
    // folder it was started from.
    if (QApplication::arguments().contains(QLatin1String(app::kUserFolderOption))) {
        if (const Status entered = app::enterUserFolder(QDir::homePath()); !entered) {
            QtDialogs().warn(entered.message());
            return 1;
        }
    }

    TSplash splash;
    splash.show();
    app.processEvents();

    QApplication::setApplicationName(QStringLiteral("Korvel"));
    // The desktop shows the menu entry's name and icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("korvel"));
    QApplication::setApplicationDisplayName(QString());
    TMainForm frame;
    // Without a window manager a maximise request is not honoured: fill the screen first.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    splash.finish(&frame);
    return app.exec();
}
