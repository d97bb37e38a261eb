// The updater's check and download against a real HTTP server on loopback,
// with the question, the ending of the booth and the start of the setup
// recorded instead of done.
#include "testhttpserver.h"
#include "updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace renovo;
using renovo::test::HttpServer;
using renovo::test::Response;

namespace {

constexpr const char* kSetupPath = "/software/setup_cn.exe";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

std::string makeBody(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + (i * 7 + i / 13) % 26);
    return body;
}

class UpdaterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_appFolder.isValid()); }

    QString downloadFolder() const { return QDir(m_appFolder.path()).filePath("download"); }
    QString targetPath() const { return QDir(downloadFolder()).filePath("setup_cn.exe"); }

    void announce(const std::string& versionLine) { m_server.serve("/1.txt", Response {200, versionLine}); }

    // Runs one update to its end; local version 1.2.5 unless told otherwise.
    Updater::Outcome run(
        const QString& site, const QString& address, int major = 1, int minor = 2, int revision = 5)
    {
        Updater::Hooks hooks;
        hooks.askToUpdate = [this] {
            ++asked;
            return answer;
        };
        hooks.endProgram = [this](const QString& name) {
            endedProgram = name;
            // The booth goes only once the whole file is in place.
            contentWhenEnded = readFile(targetPath());
        };
        hooks.startProgram = [this](const QString& path, const QString& folder) {
            startedProgram = path;
            startedIn = folder;
            startedExecutable = QFileInfo(path).isExecutable();
            return true;
        };
        Updater updater(m_appFolder.path(), site, {"Kinfolio", major, minor, revision, address}, hooks);
        updater.setTransferTimeout(5000);
        QObject::connect(
            &updater, &Updater::progressChanged, [&] { percents.push_back(updater.percentText()); });
        if (cancelAfterBytes >= 0)
            QObject::connect(&updater, &Updater::progressChanged, [&] {
                if (updater.bytesWritten() > cancelAfterBytes)
                    updater.cancel();
            });
        Updater::Outcome outcome = Updater::Outcome::CheckFailed;
        QEventLoop loop;
        QObject::connect(&updater, &Updater::finished, &loop, [&](Updater::Outcome o) {
            outcome = o;
            loop.quit();
        });
        QTimer::singleShot(20000, &loop, [&] {
            ADD_FAILURE() << "updater did not finish";
            loop.quit();
        });
        updater.start();
        loop.exec();
        return outcome;
    }

    Updater::Outcome run() { return run(site(), setupAddress()); }
    QString site() const { return QString::fromStdString(m_server.url("")); }
    QString setupAddress() const { return QString::fromStdString(m_server.url(kSetupPath)); }

    void placeOlderFile(const QByteArray& content)
    {
        QDir().mkpath(downloadFolder());
        QFile file(targetPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QStringList downloadEntries() const
    {
        return QDir(downloadFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_appFolder;
    HttpServer m_server;
    bool answer = true;
    int asked = 0;
    qint64 cancelAfterBytes = -1;
    QString endedProgram, startedProgram, startedIn;
    QByteArray contentWhenEnded;
    bool startedExecutable = false;
    QStringList percents;
};

TEST_F(UpdaterTest, AsksOnlyWhenTheSiteIsNewer)
{
    struct Case {
        int major, minor, revision;
        const char* line;
        bool newer;
    };
    const Case cases[] = {
        {1, 2, 5, "ver:1.2.9.6\r\n", true},
        {1, 2, 5, "ver:1.2.9.5\r\n", false},
        {1, 2, 5, "ver:2.0.0.0\r\n", true},
        {2, 1, 3, "ver:1.9.0.9\r\n", false},
    };
    answer = false;
    for (const auto& c : cases) {
        announce(c.line);
        asked = 0;
        const auto outcome = run(site(), setupAddress(), c.major, c.minor, c.revision);
        EXPECT_EQ(asked, c.newer ? 1 : 0) << c.line;
        EXPECT_EQ(outcome, c.newer ? Updater::Outcome::Declined : Updater::Outcome::NoUpdate) << c.line;
    }
    EXPECT_EQ(m_server.requestCount(kSetupPath), 0) << "No means nothing is downloaded";
    EXPECT_TRUE(endedProgram.isEmpty());
}

TEST_F(UpdaterTest, AnUnusableVersionTextEndsWithoutAsking)
{
    struct Case {
        const char* what;
        Response response;
    };
    const Case cases[] = {
        {"not found", {404, "ver:9.9.9.9\r\n"}},
        {"server error", {500, "ver:9.9.9.9\r\n"}},
        {"empty", {200, ""}},
        {"no line end", {200, "ver:9.9.9.9"}},
        {"not numbers", {200, "ver:9.x.9.9\r\n"}},
        {"redirect loop", {302, "", true, -1, "/1.txt"}},
        {"short body", {200, "ver:9.9.9.9\r\n", true, 400}},
    };
    for (const auto& c : cases) {
        m_server.serve("/1.txt", c.response);
        EXPECT_EQ(run(), Updater::Outcome::CheckFailed) << c.what;
    }
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(m_server.requestCount(kSetupPath), 0);
}

TEST_F(UpdaterTest, FollowsARedirectToTheVersionText)
{
    m_server.serve("/1.txt", Response {302, "", true, -1, "/moved/1.txt"});
    m_server.serve("/moved/1.txt", Response {200, "ver:1.2.9.6\r\n"});
    answer = false;
    EXPECT_EQ(run(), Updater::Outcome::Declined);
    EXPECT_EQ(asked, 1);
}

TEST_F(UpdaterTest, AbsentServerEndsWithoutAsking)
{
    const QString nowhere = QStringLiteral("http://127.0.0.1:%1").arg(renovo::test::unusedPort());
    EXPECT_EQ(run(nowhere, nowhere + kSetupPath), Updater::Outcome::CheckFailed);
    EXPECT_EQ(asked, 0);
}

TEST_F(UpdaterTest, HostileOrUnusableAddressesFetchNothing)
{
    announce("ver:9.9.9.9\r\n");
    const std::string base = m_server.url("");
    for (const std::string& address : {base + "/software/..", base + "/x%2F..%2F..%2Fevil", base + "/",
             base + "/setup.exe?next=/etc/passwd", std::string("file:///bin/sh")}) {
        EXPECT_EQ(run(site(), QString::fromStdString(address)), Updater::Outcome::Refused) << address;
    }
    EXPECT_EQ(run("www.example.com", setupAddress()), Updater::Outcome::Refused) << "site without scheme";
    EXPECT_EQ(m_server.totalRequests(), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(QDir(downloadFolder()).exists());
}

TEST_F(UpdaterTest, CompleteDownloadReplacesTheOlderFileThenEndsTheBoothAndStartsIt)
{
    struct Case {
        const char* what;
        bool sendLength;
        int pieces;
    };
    const Case cases[] = {
        {"with Content-Length", true, 5},
        {"until the server closes", false, 5},
    };
    const std::string body = makeBody(50'000);
    announce("ver:1.2.9.6\r\n");
    for (const auto& c : cases) {
        // Longer than the new file: no tail of it may remain.
        placeOlderFile(QByteArray(80'000, 'O'));
        m_server.serve(kSetupPath, Response {200, body, c.sendLength, -1, "", c.pieces, 10});
        endedProgram.clear();
        contentWhenEnded.clear();

        EXPECT_EQ(run(), Updater::Outcome::Installed) << c.what;
        EXPECT_EQ(readFile(targetPath()), QByteArray::fromStdString(body)) << c.what;
        EXPECT_EQ(contentWhenEnded, QByteArray::fromStdString(body)) << c.what;
        EXPECT_EQ(endedProgram, "Kinfolio");
        EXPECT_EQ(startedProgram, targetPath());
        EXPECT_EQ(startedIn, m_appFolder.path());
        EXPECT_TRUE(startedExecutable);
        EXPECT_EQ(downloadEntries(), QStringList {"setup_cn.exe"}) << "no temporary file left";
    }
}

TEST_F(UpdaterTest, IncompleteDownloadStartsNothingAndKeepsTheOlderFile)
{
    struct Case {
        const char* what;
        Response response;
    };
    const std::string body = makeBody(20'000);
    const Case cases[] = {
        {"short body", {200, body, true, 30'000, "", 4, 5}},
        {"not found", {404, body}},
        {"redirect loop", {301, "", true, -1, kSetupPath}},
        {"empty body", {200, "", false}},
        {"empty with Content-Length 0", {200, "", true}},
    };
    announce("ver:1.2.9.6\r\n");
    const QByteArray older = "older setup program";
    placeOlderFile(older);
    for (const auto& c : cases) {
        m_server.serve(kSetupPath, c.response);
        EXPECT_EQ(run(), Updater::Outcome::DownloadFailed) << c.what;
        EXPECT_EQ(readFile(targetPath()), older) << c.what;
        EXPECT_EQ(downloadEntries(), QStringList {"setup_cn.exe"}) << c.what;
    }
    EXPECT_TRUE(endedProgram.isEmpty()) << "the booth keeps running";
    EXPECT_TRUE(startedProgram.isEmpty());
}

TEST_F(UpdaterTest, CreatesTheDownloadFolder)
{
    announce("ver:1.2.9.6\r\n");
    m_server.serve(kSetupPath, Response {200, "#!/bin/sh\n"});
    ASSERT_FALSE(QDir(downloadFolder()).exists());
    EXPECT_EQ(run(), Updater::Outcome::Installed);
    EXPECT_EQ(readFile(targetPath()), "#!/bin/sh\n");
}

TEST_F(UpdaterTest, PercentageRunsFromZeroToHundred)
{
    struct Case {
        const char* what;
        bool sendLength;
    };
    const Case cases[] = {{"with Content-Length", true}, {"without Content-Length", false}};
    announce("ver:1.2.9.6\r\n");
    for (const auto& c : cases) {
        m_server.serve(kSetupPath, Response {200, makeBody(40'000), c.sendLength, -1, "", 8, 20});
        percents.clear();
        ASSERT_EQ(run(), Updater::Outcome::Installed) << c.what;
        ASSERT_GE(percents.size(), 3) << c.what;
        EXPECT_EQ(percents.front(), "0%") << c.what;
        EXPECT_EQ(percents.back(), "100%") << c.what;
        int previous = 0;
        for (const QString& text : percents) {
            ASSERT_TRUE(text.endsWith('%'));
            const int value = text.chopped(1).toInt();
            EXPECT_GE(value, previous) << c.what;
            previous = value;
        }
        if (c.sendLength)
            EXPECT_GE(QSet<QString>(percents.begin(), percents.end()).size(), 4) << "the text moves";
        else
            EXPECT_EQ(percents.count("100%"), 1) << "unknown size: 100% only once complete";
    }
}

TEST_F(UpdaterTest, CancelDuringTheDownloadKeepsEverythingAsItWas)
{
    announce("ver:1.2.9.6\r\n");
    m_server.serve(kSetupPath, Response {200, makeBody(100'000), true, -1, "", 20, 20});
    const QByteArray older = "older setup program";
    placeOlderFile(older);
    cancelAfterBytes = 10'000;
    EXPECT_EQ(run(), Updater::Outcome::Cancelled);
    EXPECT_EQ(readFile(targetPath()), older);
    EXPECT_EQ(downloadEntries(), QStringList {"setup_cn.exe"});
    EXPECT_TRUE(endedProgram.isEmpty());
    EXPECT_TRUE(startedProgram.isEmpty());
}

TEST(UpdaterTls, SecureTransportIsAvailable)
{
    // Without a TLS backend every https site would fail as if unreachable.
    EXPECT_TRUE(QSslSocket::supportsSsl()) << QSslSocket::activeBackend().toStdString();
    // https sites are checked against the system's certificate authorities.
    EXPECT_FALSE(QSslConfiguration::systemCaCertificates().isEmpty());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
