// Renovo's window and the whole program path in-process: the real question
// box answered by clicking, the real ending of a stand-in booth process and
// the real start of the downloaded file.
#include "procutil.h"
#include "renovoapp.h"
#include "testhttpserver.h"
#include "updatewindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace renovo;
using renovo::test::HttpServer;
using renovo::test::Response;

namespace {

std::string makeBody(std::size_t size)
{
    return std::string(size, 'x');
}

QWidget* topLevel(const char* objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(objectName) && widget->isVisible())
            return widget;
    return nullptr;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_appFolder.isValid());
        QDir().mkpath(m_appFolder.filePath("data"));
        QFile ini(m_appFolder.filePath("data/operator.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[update]\nsite=" + QByteArray::fromStdString(m_server.url("")) + "\n");
        m_server.serve("/1.txt", Response {200, "ver:1.0.0.81\r\n"});
    }

    QString arguments(const QString& programName) const
    {
        return buildUpdaterArguments(
            programName, 1, 0, 80, QString::fromStdString(m_server.url("/software/setup_cn.exe")));
    }

    QTemporaryDir m_appFolder;
    HttpServer m_server;
};

TEST_F(WindowTest, ShowsTheDownloadAndFollowsTheProgress)
{
    Updater updater(m_appFolder.path(), "http://h", {"Kinfolio", 1, 0, 80, "http://h/s"}, {});
    UpdateWindow window(updater);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.windowTitle(), "自动更新");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size, nothing to maximise";
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "正在下载更新文件，请稍候....");
    EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "0%");
    EXPECT_EQ(window.findChild<QPushButton*>("cmdExit")->text(), "取消");
    EXPECT_TRUE(window.findChild<QProgressBar*>("ProgressBar1")->isVisible());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint) << "topmost once active";
}

TEST_F(WindowTest, DraggedByItsBodyAndItsLabel)
{
    Updater updater(m_appFolder.path(), "http://h", {"Kinfolio", 1, 0, 80, "http://h/s"}, {});
    UpdateWindow window(updater);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    struct Case {
        const char* child; // nullptr: the window's own body
        bool moves;
    };
    for (const Case c : {Case {nullptr, true}, Case {"Label1", true}, Case {"cmdExit", false}}) {
        QWidget* target = c.child ? window.findChild<QWidget*>(c.child) : &window;
        const QPoint grip = c.child ? target->rect().center() : QPoint(5, 5);
        const QPoint before = window.pos();
        QTest::mousePress(target, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(40, 25)),
            QPointF(target->mapToGlobal(grip) + QPoint(40, 25)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, {}, grip + QPoint(40, 25));
        if (c.moves)
            EXPECT_EQ(window.pos(), before + QPoint(40, 25)) << (c.child ? c.child : "body");
        else
            EXPECT_EQ(window.pos(), before) << c.child;
    }
}

// The full run: question answered Yes, download with a moving bar (saved as
// a picture), the stand-in booth ended, the downloaded script started.
TEST_F(WindowTest, UpdatesEndToEnd)
{
    QTemporaryDir work;
    const QString marker = work.filePath("setup-ran");
    const std::string script = "#!/bin/sh\necho started > '" + marker.toStdString() + "'\n";
    m_server.serve("/software/setup_cn.exe",
        Response {200, script + "#" + makeBody(60'000) + "\n", true, -1, "", 12, 60});

    // A stand-in for the booth: a copy of sleep under a name of its own.
    const QString boothName = QStringLiteral("kfbooth%1").arg(QCoreApplication::applicationPid());
    const QString boothPath = work.filePath(boothName);
    ASSERT_TRUE(QFile::copy("/bin/sleep", boothPath));
    QProcess booth;
    booth.start(boothPath, {"60"});
    ASSERT_TRUE(booth.waitForStarted());
    QTRY_COMPARE(kf::findProgramsByName(boothName.toStdString()).size(), 1u);

    QString question;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->windowTitle() + "|" + box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(20);

    QStringList seenPercents;
    QString screenshot = qEnvironmentVariable("RENOVO_SCREENSHOT", work.filePath("progress.png"));
    bool shot = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* window = topLevel("Form1");
        if (!window)
            return;
        const QString percent = window->findChild<QLabel*>("Label2")->text();
        if (seenPercents.isEmpty() || seenPercents.back() != percent)
            seenPercents << percent;
        if (!shot && percent.chopped(1).toInt() >= 40) {
            shot = window->grab().save(screenshot);
        }
    });
    watcher.start(10);

    const int code = runUpdater(m_appFolder.path(), arguments(boothName), platformHooks());
    EXPECT_EQ(code, 0);
    EXPECT_EQ(question, "确认信息|有新版本，要升级吗？");
    EXPECT_TRUE(shot) << "a window with a half-full bar was seen";
    ASSERT_FALSE(seenPercents.isEmpty());
    EXPECT_EQ(seenPercents.front(), "0%");
    EXPECT_GE(seenPercents.size(), 3);

    EXPECT_TRUE(booth.state() == QProcess::NotRunning || booth.waitForFinished(1000))
        << "the booth was ended";
    EXPECT_EQ(booth.exitStatus(), QProcess::CrashExit);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
    EXPECT_TRUE(QFileInfo(m_appFolder.filePath("download/setup_cn.exe")).isExecutable());
}

TEST_F(WindowTest, CancelOrCloseEndsTheDownload)
{
    m_server.serve("/software/setup_cn.exe", Response {200, makeBody(100'000), true, -1, "", 50, 40});
    for (const bool viaButton : {true, false}) {
        Updater::Hooks hooks;
        bool ended = false, started = false;
        hooks.askToUpdate = [] { return true; };
        hooks.endProgram = [&](const QString&) { ended = true; };
        hooks.startProgram = [&](const QString&, const QString&) { return started = true; };

        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* window = topLevel("Form1")) {
                if (viaButton)
                    window->findChild<QPushButton*>("cmdExit")->click();
                else
                    window->close();
            }
        });
        closer.start(100);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(runUpdater(m_appFolder.path(), arguments("Kinfolio"), hooks), 0);
        EXPECT_LT(clock.elapsed(), 1500) << "the transfer ended with the window";
        EXPECT_FALSE(ended);
        EXPECT_FALSE(started);
        EXPECT_FALSE(QFile::exists(m_appFolder.filePath("download/setup_cn.exe")));
    }
}

TEST_F(WindowTest, TheBoothsProgramNameIsOneRenovoFinds)
{
    EXPECT_EQ(kf::findProgramsByName(runningProgramName().toStdString(), /*includeSelf=*/true),
        std::vector<pid_t> {getpid()});
}

TEST_F(WindowTest, BadArgumentsOrConfigurationEndAtOnce)
{
    EXPECT_EQ(runUpdater(m_appFolder.path(), "", {}), 1);
    EXPECT_EQ(runUpdater(m_appFolder.path(), "Kinfolio*1*0*80", {}), 1);
    QFile::remove(m_appFolder.filePath("data/operator.ini"));
    EXPECT_EQ(runUpdater(m_appFolder.path(), arguments("Kinfolio"), {}), 1);
    EXPECT_EQ(m_server.totalRequests(), 0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
