// Renovo, the updater. Started by the booth with one argument text:
// program name*major*minor*revision*setup address.
#include "instancelock.h"
#include "renovoapp.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Renovo"));
    QApplication::setQuitOnLastWindowClosed(false);

    renovo::InstanceLock lock(renovo::InstanceLock::defaultPath());
    if (!lock.tryLock())
        return 0;
    // The argument text is one argument; a caller that split it at blanks is forgiven.
    const QString argumentText = QApplication::arguments().mid(1).join(u' ');
    return renovo::runUpdater(QApplication::applicationDirPath(), argumentText, renovo::platformHooks());
}
