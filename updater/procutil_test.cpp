// Ending programs by name, against processes the test starts from copies
// of sleep(1) under names of its own.
#include "procutil.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string uniqueTag()
{
    std::random_device random;
    return std::to_string(getpid()) + "x" + std::to_string(random() % 10000);
}

std::string ownProgramName()
{
    return fs::read_symlink("/proc/self/exe").filename().string();
}

char processState(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() ? '?' : line[close + 2];
}

class EndByNameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("kf-procutil-" + uniqueTag());
        fs::create_directories(m_dir);
        // Readable by everyone, so that a process of another user can run a copy.
        fs::permissions(m_dir,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read
                | fs::perms::others_exec);
    }

    void TearDown() override
    {
        for (const pid_t pid : m_children) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fs::remove_all(m_dir);
    }

    // Copies sleep(1) to `name` and runs it for a minute.
    pid_t start(const std::string& name, bool ignoreTerm = false, uid_t asUser = 0)
    {
        const fs::path program = m_dir / name;
        if (!fs::exists(program))
            fs::copy_file("/bin/sleep", program);
        const pid_t pid = fork();
        if (pid == 0) {
            if (ignoreTerm)
                signal(SIGTERM, SIG_IGN); // inherited through exec
            if (asUser != 0 && (setgid(asUser) != 0 || setuid(asUser) != 0))
                _exit(126);
            execl(program.c_str(), name.c_str(), "60", static_cast<char*>(nullptr));
            _exit(127);
        }
        m_children.push_back(pid);
        // Until exec has happened the child still runs the test program.
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::error_code error;
            if (fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error).filename() == name)
                break;
            std::this_thread::sleep_for(2ms);
        }
        return pid;
    }

    // The signal that ended the child, 0 when it still runs after the wait.
    int endingSignal(pid_t pid, std::chrono::milliseconds wait = 2000ms)
    {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline)
                return 0;
            std::this_thread::sleep_for(5ms);
        }
        std::erase(m_children, pid);
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }

    fs::path m_dir;
    std::vector<pid_t> m_children;
};

TEST_F(EndByNameTest, MatchesTheExactProgramNameOnly)
{
    const std::string tag = uniqueTag();
    // Short names are also the kernel's command name; long ones are cut there
    // at 15 bytes, so two long names sharing that start must still differ.
    const std::vector<std::string> names = {
        "kfa" + tag,
        "kfa" + tag + "b",
        "kf-long-program-name-" + tag + "-one",
        "kf-long-program-name-" + tag + "-two",
    };
    std::vector<pid_t> pids;
    for (const auto& name : names)
        pids.push_back(start(name));

    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(kf::findProgramsByName(names[i]), std::vector<pid_t> {pids[i]}) << names[i];
    EXPECT_TRUE(kf::findProgramsByName("kfa").empty());
    EXPECT_TRUE(kf::findProgramsByName("kf-long-program").empty());
    EXPECT_TRUE(kf::findProgramsByName(m_dir.string() + "/" + names[0]).empty()) << "a path is no name";

    const auto result = kf::endProgramsByName(names[0]);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.matched, std::vector<pid_t> {pids[0]});
    EXPECT_EQ(endingSignal(pids[0]), SIGTERM);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_EQ(endingSignal(pids[i], 0ms), 0) << names[i] << " must keep running";
}

TEST_F(EndByNameTest, TermFirstThenKillAfterTheGraceTime)
{
    const std::string name = "kfb" + uniqueTag();
    const pid_t polite = start(name);
    const pid_t stubborn = start(name, /*ignoreTerm=*/true);

    kf::EndProgramsOptions options;
    options.grace = 300ms;
    const auto began = std::chrono::steady_clock::now();
    const auto result = kf::endProgramsByName(name, options);
    const auto took = std::chrono::steady_clock::now() - began;

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.matched.size(), 2u);
    EXPECT_GE(took, 300ms) << "the stubborn one had its grace time";
    EXPECT_EQ(endingSignal(polite), SIGTERM);
    EXPECT_EQ(endingSignal(stubborn), SIGKILL);
}

TEST_F(EndByNameTest, ZombiesAndNothingToEndAreNoFailure)
{
    const std::string name = "kfc" + uniqueTag();
    const pid_t pid = start(name);
    kill(pid, SIGKILL);
    while (processState(pid) != 'Z')
        std::this_thread::sleep_for(2ms);

    EXPECT_TRUE(kf::findProgramsByName(name).empty()) << "an ended process is not listed";
    const auto result = kf::endProgramsByName(name);
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.matched.empty());
}

TEST_F(EndByNameTest, NeverItselfUnlessAsked)
{
    const std::string self = ownProgramName();
    EXPECT_TRUE(kf::findProgramsByName(self).empty());
    EXPECT_EQ(kf::findProgramsByName(self, /*includeSelf=*/true), std::vector<pid_t> {getpid()});
    EXPECT_TRUE(kf::endProgramsByName(self).matched.empty()); // and we are still here
}

TEST_F(EndByNameTest, RefusesNamesThatAreNoProgramNames)
{
    for (const std::string& name :
        {std::string(), std::string("/"), std::string("bin/sleep"), std::string("kf\0x", 4)}) {
        EXPECT_FALSE(kf::isValidProgramName(name));
        const auto result = kf::endProgramsByName(name);
        EXPECT_FALSE(result.nameValid);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.matched.empty());
    }
}

TEST_F(EndByNameTest, LeavesOtherUsersAlone)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to start a process of another user";
    const std::string name = "kfd" + uniqueTag();
    const pid_t other = start(name, false, /*asUser=*/65534);
    const pid_t mine = start(name);

    const auto result = kf::endProgramsByName(name);
    EXPECT_EQ(result.matched, std::vector<pid_t> {mine});
    EXPECT_EQ(endingSignal(mine), SIGTERM);
    EXPECT_EQ(endingSignal(other, 200ms), 0) << "another user's process must keep running";
}

} // namespace
