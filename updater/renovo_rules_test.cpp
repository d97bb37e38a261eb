// The updater's argument text, version text, version comparison, download
// file names and percentage text.
#include "renovo_cmdline.h"
#include "updatecheck.h"

#include <gtest/gtest.h>

using namespace renovo;

namespace {

TEST(UpdaterArguments, BuildsTheBoothsLine)
{
    EXPECT_EQ(buildUpdaterArguments("Kinfolio", 1, 0, 80, "http://www.example.com/software/setup_cn.exe"),
        "Kinfolio*1*0*80*http://www.example.com/software/setup_cn.exe");
    // Anything the reader would take apart differently is not built at all.
    EXPECT_EQ(buildUpdaterArguments("", 1, 0, 80, "http://h/s"), "");
    EXPECT_EQ(buildUpdaterArguments("Kin*folio", 1, 0, 80, "http://h/s"), "");
    EXPECT_EQ(buildUpdaterArguments("bin/Kinfolio", 1, 0, 80, "http://h/s"), "");
    EXPECT_EQ(buildUpdaterArguments("Kinfolio", 1, -1, 80, "http://h/s"), "");
    EXPECT_EQ(buildUpdaterArguments("Kinfolio", 1, 0, 80, ""), "");
}

TEST(UpdaterArguments, ReadsWhatIsBuilt)
{
    const UpdaterArguments cases[] = {
        {"Kinfolio", 1, 0, 80, "http://www.example.com/software/setup_cn.exe"},
        {"Kinfolio", 0, 0, 0, "https://h:8443/a/b/setup.bin"},
        {"booth-2", 12, 345, 6789, "http://h/x*y.exe"}, // a '*' in the address stays in it
    };
    for (const auto& args : cases) {
        const QString text = buildUpdaterArguments(
            args.programName, args.major, args.minor, args.revision, args.downloadAddress);
        EXPECT_EQ(parseUpdaterArguments(text), args) << text.toStdString();
    }
    EXPECT_EQ(parseUpdaterArguments("  Kinfolio* 1 *0* 080*http://h/s  "),
        (UpdaterArguments {"Kinfolio", 1, 0, 80, "http://h/s"}));
}

TEST(UpdaterArguments, RefusesUnusableLines)
{
    for (const char* text : {
             "",
             "Kinfolio",
             "Kinfolio*1*0*80", // four fields
             "*1*0*80*http://h/s", // no program name
             "a/b*1*0*80*http://h/s",
             "Kinfolio*1*x*80*http://h/s",
             "Kinfolio*1*-1*80*http://h/s",
             "Kinfolio*1*0*8.0*http://h/s",
             "Kinfolio*1*0*99999999999*http://h/s",
             "Kinfolio*1*0*80*",
             "Kinfolio*1*0*80*   ",
         })
        EXPECT_FALSE(parseUpdaterArguments(QString::fromUtf8(text))) << text;
}

TEST(VersionText, ReadsTheFirstLine)
{
    struct Case {
        QByteArray body;
        std::optional<Version> expected;
    };
    const Case cases[] = {
        {"ver:1.2.9.6\r\n", Version {1, 2, 6}},
        {"ver:1.2.9.6\r\nver:9.9.9.9\r\n", Version {1, 2, 6}}, // only the first line
        {"ver:1.2.9.6\n", Version {1, 2, 6}}, // a bare LF ends the line too
        {"\xEF\xBB\xBFver:2.0.0.0\r\n", Version {2, 0, 0}}, // byte order mark
        {"ver: 1 . 2 .x. 6 \r\n", Version {1, 2, 6}}, // blanks; field 2 unused
        {"ver:1.2.9.6.7\r\n", Version {1, 2, 6}},
        {"版本号：3.4.0.5\r\n", Version {3, 4, 5}}, // four characters, not bytes
        {"\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA"
         "3.4.0.5\r\n",
            Version {3, 4, 5}}, // the same in GB18030
        {"ver:1.2.9.6", std::nullopt}, // no line end
        {"", std::nullopt},
        {"\r\n", std::nullopt},
        {"ver:\r\n", std::nullopt},
        {"ver:1.2.9\r\n", std::nullopt}, // no field 3
        {"ver:1.2.9.x\r\n", std::nullopt},
        {"ver:1.2a.9.6\r\n", std::nullopt},
        {"ver:1.-2.9.6\r\n", std::nullopt},
        {"ver:1..9.6\r\n", std::nullopt},
        {"<html>404</html>\r\n", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseVersionText(c.body), c.expected) << c.body.toStdString();
}

TEST(VersionText, NewerByMajorMinorRevision)
{
    struct Case {
        Version local;
        const char* web;
        bool newer;
    };
    const Case cases[] = {
        {{1, 2, 5}, "ver:1.2.9.6\r\n", true}, // the third field is ignored
        {{1, 2, 5}, "ver:1.2.9.5\r\n", false},
        {{1, 2, 5}, "ver:2.0.0.0\r\n", true},
        {{2, 1, 7}, "ver:1.9.0.9\r\n", false},
        {{1, 2, 5}, "ver:1.3.0.0\r\n", true},
        {{1, 2, 5}, "ver:1.1.9.9\r\n", false},
        {{1, 2, 5}, "ver:1.2.0.4\r\n", false},
        {{1, 0, 80}, "ver:1.0.0.81\r\n", true},
    };
    for (const auto& c : cases) {
        const auto web = parseVersionText(c.web);
        ASSERT_TRUE(web) << c.web;
        EXPECT_EQ(isNewer(*web, c.local), c.newer) << c.web;
    }
}

TEST(VersionText, AddressBelowTheSite)
{
    EXPECT_EQ(versionTextUrl("http://www.example.com").toString(), "http://www.example.com/1.txt");
    EXPECT_EQ(versionTextUrl(" https://h:8443/sub/ ").toString(), "https://h:8443/sub/1.txt");
    for (const char* site : {"", "www.example.com", "ftp://h", "file:///etc", "http://h/?q=1"})
        EXPECT_TRUE(versionTextUrl(site).isEmpty()) << site;
}

TEST(DownloadName, LastPathSegmentThatStaysInTheFolder)
{
    EXPECT_EQ(downloadFileName("http://www.example.com/software/setup_cn.exe"), "setup_cn.exe");
    EXPECT_EQ(downloadFileName("https://h:8443/a/setup%20cn.sh"), "setup cn.sh");
    EXPECT_EQ(downloadFileName("HTTP://h/setup.exe"), "setup.exe");
    for (const char* address : {
             "http://h",
             "http://h/",
             "http://h/software/",
             "http://h/software/.",
             "http://h/software/..",
             "http://h/%2E%2E",
             "http://h/x%2F..%2F..%2Fbin%2Fsh",
             "http://h/..%5C..%5Cevil.exe",
             "http://h/setup.exe?v=2",
             "http://h/setup.exe#top",
             "http://h/set%00up.exe",
             "http://h/set%0Aup.exe",
             "http://h/%FF%FE.exe",
             "file:///etc/passwd",
             "ftp://h/setup.exe",
             "setup.exe",
             "/software/setup.exe",
             "http:///setup.exe",
         })
        EXPECT_FALSE(downloadFileName(address)) << address;
}

TEST(Percentage, IntegerPartOfTheShare)
{
    struct Case {
        qint64 written, expected;
        bool complete;
        const char* text;
    };
    const Case cases[] = {
        {0, 1000, false, "0%"},
        {9, 1000, false, "0%"},
        {10, 1000, false, "1%"},
        {999, 1000, false, "99%"},
        {1000, 1000, false, "100%"},
        {1, 3, false, "33%"},
        {2, 3, false, "66%"},
        {0, -1, false, "0%"},
        {5000, -1, false, "0%"},
        {5000, -1, true, "100%"},
        {5'000'000'000'000LL, 10'000'000'000'000LL, false, "50%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(percentText(c.written, c.expected, c.complete), c.text) << c.written << "/" << c.expected;
}

} // namespace
