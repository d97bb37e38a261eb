#include "appfolder.h"
#include "art/splash.h"
#include "cleanup.h"
#include "mainwindow.h"
#include "session.h"
#include "shellactions.h"
#include "shooting/shootingui.h"
#include "signalclose.h"
#include "splashwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Standard buttons and dialogs speak the booth's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setApplicationName(QStringLiteral("Kinfolio"));

    kf::BoothSession session = kf::BoothSession::forInstallation(kf::appFolder());
    std::unique_ptr<kf::MainWindow> mainWindow;

    // SIGTERM and SIGINT take the path of the window's close box.
    kf::SignalClose signalClose([&] {
        if (mainWindow && mainWindow->isVisible()) {
            mainWindow->close();
        } else {
            kf::closeCleanup(session.shootFolder, session.uploadFolder());
            QApplication::exit(0);
        }
    });

    bool folderFailed = false;
    kf::SplashWindow splash(kf::art::splashPicture(), [&] {
        if (const auto folder = kf::createShootFolder(session.appFolder)) {
            session.shootFolder = *folder;
        } else {
            folderFailed = true;
        }
    });
    QObject::connect(&splash, &kf::SplashWindow::finished, [&] {
        if (folderFailed) {
            // Without a folder for the photos no photo could be kept: say so
            // instead of taking photos that would be lost.
            QMessageBox::critical(nullptr, QStringLiteral("温馨提示"),
                QStringLiteral("无法创建照片文件夹：\n%1\n请检查该文件夹是否可写。")
                    .arg(session.path(QStringLiteral("PhotoSaved"))));
            QApplication::exit(1);
            return;
        }
        mainWindow = std::make_unique<kf::MainWindow>(session);
        new kf::ShootingUi(*mainWindow);
        new kf::ShellActions(*mainWindow);
        mainWindow->startUp();
        mainWindow->show();
    });
    splash.show();
    return QApplication::exec();
}
