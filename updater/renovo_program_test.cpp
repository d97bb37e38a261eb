// The Renovo program itself, copied into an application folder of the
// test's own with its operator configuration.
#include "testhttpserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using renovo::test::HttpServer;
using renovo::test::Response;

namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_appFolder.isValid() && m_runtime.isValid());
        ASSERT_TRUE(QFile::copy(RENOVO_PROGRAM, program()));
        QDir().mkpath(m_appFolder.filePath("data"));
        writeSite(QString::fromStdString(m_server.url("")));
        // A runtime folder of its own, so the lock meets no other test.
        QFile(m_runtime.path())
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QString program() const { return m_appFolder.filePath("Renovo"); }

    void writeSite(const QString& site)
    {
        QFile ini(m_appFolder.filePath("data/operator.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[update]\nsite=" + site.toUtf8() + "\n");
    }

    QString boothLine() const
    {
        return "Kinfolio*1*0*80*" + QString::fromStdString(m_server.url("/software/setup_cn.exe"));
    }

    void start(QProcess& process, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program(), arguments);
        ASSERT_TRUE(process.waitForStarted());
    }

    // Exit code, or -1 when it did not end within the time.
    int runToEnd(const QStringList& arguments, int timeoutMs = 10000)
    {
        QProcess process;
        start(process, arguments);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }

    QTemporaryDir m_appFolder;
    QTemporaryDir m_runtime;
    HttpServer m_server;
};

// Every way of not updating ends the program by itself, without a window
// or a question that would keep it waiting.
TEST_F(ProgramTest, EndsWithoutAWordWhenThereIsNothingToDo)
{
    m_server.serve("/1.txt", Response {200, "ver:1.0.0.80\r\n"});
    EXPECT_EQ(runToEnd({}), 1) << "no argument text";
    EXPECT_EQ(runToEnd({"Kinfolio*1*0*80"}), 1) << "four fields";
    EXPECT_EQ(m_server.totalRequests(), 0);

    EXPECT_EQ(runToEnd({boothLine()}), 0) << "not newer";
    EXPECT_EQ(m_server.requestCount("/1.txt"), 1);

    writeSite(QStringLiteral("http://127.0.0.1:%1").arg(renovo::test::unusedPort()));
    EXPECT_EQ(runToEnd({boothLine()}), 1) << "server absent";
    EXPECT_EQ(m_server.requestCount("/software/setup_cn.exe"), 0);
}

TEST_F(ProgramTest, ASecondInstanceEndsAtOnce)
{
    // The first one waits for its version text for a while.
    m_server.serve("/1.txt", Response {200, "ver:1.0.0.80\r\n", true, -1, "", 1, 0, 3000});
    QProcess first;
    start(first, {boothLine()});
    ASSERT_TRUE(m_server.waitForRequests("/1.txt", 1, 5000));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(runToEnd({boothLine()}, 5000), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first one is still at work";
    EXPECT_EQ(m_server.requestCount("/1.txt"), 1) << "the second asked for nothing";

    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(runToEnd({boothLine()}), 0) << "the lock went with the first one";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
