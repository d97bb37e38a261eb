#include "mainwindow.h"
#include "renovo_cmdline.h"
#include "shellactions.h"
#include "testsupport/fakeinstall.h"
#include "testsupport/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrlQuery>
#include <gtest/gtest.h>

using kf::test::FakeInstall;
using kf::test::touch;

namespace {

class ScriptedPrompts : public kf::Prompts {
public:
    explicit ScriptedPrompts(bool answer)
        : answer_(answer)
    {
    }
    void inform(const QString&, const QString&, Icon) override { }
    bool askYesNo(const QString& title, const QString& text) override
    {
        asked << title + "|" + text;
        return answer_;
    }
    QStringList asked;

private:
    bool answer_;
};

struct Recorder {
    QStringList events;
    kf::ShellActions::Desktop desktop()
    {
        return {[this](const QUrl& url) {
                    events << "open " + url.toString();
                    return true;
                },
            [this](const QString& folder, const QString& args) {
                events << "updater " + folder + " " + args;
                return true;
            }};
    }
};

struct Booth {
    FakeInstall install;
    kf::BoothSession session;
    std::unique_ptr<kf::MainWindow> window;
    ScriptedPrompts* prompts = nullptr;
    Recorder recorder;
    kf::ShellActions* actions = nullptr;

    explicit Booth(bool answer = true, qint64 mainBytes = 50'000)
        : install(mainBytes)
    {
        session = kf::BoothSession::forInstallation(install.path());
        session.shootFolder = *kf::createShootFolder(install.path());
        window = std::make_unique<kf::MainWindow>(session);
        auto p = std::make_unique<ScriptedPrompts>(answer);
        prompts = p.get();
        window->setPrompts(std::move(p));
        actions = new kf::ShellActions(*window, recorder.desktop());
    }
};

} // namespace

TEST(ShellActions, UpdaterArgumentTextCarriesTheBuildVersion)
{
    Booth b;
    const QString args = kf::ShellActions::updaterArgumentText(b.session);
    EXPECT_EQ(args, renovo::runningProgramName() + "*1*0*80*" + b.session.config.downloadAddress);
}

TEST(ShellActions, StartTimerOpensTheCameraThenStartsTheUpdaterOnce)
{
    Booth b;
    b.window->onOpenCamera = [&] { b.recorder.events << "camera"; };
    b.window->startUp();
    QTRY_COMPARE(b.recorder.events.size(), 2);
    EXPECT_EQ(b.recorder.events[0], "camera");
    EXPECT_EQ(b.recorder.events[1],
        "updater " + b.session.appFolder + " " + kf::ShellActions::updaterArgumentText(b.session));
    EXPECT_FALSE(b.window->ui().Timer1->isActive());
    QTest::qWait(20);
    EXPECT_EQ(b.recorder.events.size(), 2);
}

TEST(ShellActions, ExitAsksAndKeepsOnlyPhotosAndCleanCopies)
{
    for (bool answer : {false, true}) {
        Booth b(answer);
        const QString shoot = b.session.shootFolder;
        for (const char* n : {"Photo1.bmp", "Photo1.bmp.dat", "Photo1.bmp1.dat", "Photo1.bmp2.dat"})
            touch(shoot + "/" + n);
        ASSERT_TRUE(QDir().mkpath(b.session.uploadFolder()));
        touch(b.session.uploadFolder() + "/x@Photo1.bmp");
        b.window->show();

        b.window->ui().cmdexit->press();
        EXPECT_EQ(b.prompts->asked, QStringList {"确认信息|确实要退出吗？"});
        EXPECT_EQ(b.window->isVisible(), !answer);
        const QStringList left = QDir(shoot).entryList(QDir::Files, QDir::Name);
        if (answer) {
            EXPECT_EQ(left, (QStringList {"Photo1.bmp", "Photo1.bmp.dat"}));
            EXPECT_FALSE(QFileInfo::exists(b.session.uploadFolder()));
        } else {
            EXPECT_EQ(left.size(), 4);
            EXPECT_TRUE(QFileInfo::exists(b.session.uploadFolder()));
        }
    }
}

TEST(ShellActions, LinksOpenTheVariantsAddresses)
{
    for (qint64 bytes : {50'000, 200'000}) {
        Booth b(true, bytes);
        const auto& c = b.session.config;
        b.window->ui().cmdHelp->press();
        b.window->ui().Image1->press();
        b.window->ui().ImageQQ->press();
        b.window->ui().ImageQQ1->press();
        ASSERT_EQ(b.recorder.events.size(), 4);
        EXPECT_EQ(b.recorder.events[0],
            "open " + QUrl::fromLocalFile(b.session.appFolder + "/help.mht").toString());
        EXPECT_EQ(b.recorder.events[1], "open " + QUrl(c.web(b.session.variant)).toString());
        const QUrl chat(b.recorder.events[2].mid(5));
        EXPECT_EQ(chat.scheme(), "tencent");
        EXPECT_EQ(chat.host(), "message");
        const QUrlQuery q(chat);
        EXPECT_EQ(q.queryItemValue("uin"), c.messenger(b.session.variant));
        EXPECT_EQ(q.queryItemValue("Site", QUrl::FullyDecoded), "留言");
        EXPECT_EQ(q.queryItemValue("Menu"), "yes");
        EXPECT_EQ(QUrlQuery(QUrl(b.recorder.events[3].mid(5))).queryItemValue("uin"), c.messengerB2);
    }
}
