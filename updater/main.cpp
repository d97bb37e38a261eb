// Renovo, the updater. Started by the booth with one argument text:
// program name*major*minor*revision*setup address.
#include "instancelock.h"
#include "renovoapp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Standard buttons and dialogs speak the booth's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setApplicationName(QStringLiteral("Renovo"));
    QApplication::setQuitOnLastWindowClosed(false);

    renovo::InstanceLock lock(renovo::InstanceLock::defaultPath());
    if (!lock.tryLock())
        return 0;
    // The argument text is one argument; a caller that split it at blanks is forgiven.
    const QString argumentText = QApplication::arguments().mid(1).join(u' ');
    return renovo::runUpdater(QApplication::applicationDirPath(), argumentText, renovo::platformHooks());
}
