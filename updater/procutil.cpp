#include "procutil.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <limits.h>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace kf {
namespace {

constexpr std::size_t kCommLength = 15; // the kernel keeps 15 bytes of a command name

std::string procPath(pid_t pid, const char* entry)
{
    return "/proc/" + std::to_string(pid) + "/" + entry;
}

std::optional<std::string> readFirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    return line;
}

// State letter and start time (clock ticks since boot) from /proc/<pid>/stat.
struct StatInfo {
    char state = '?';
    unsigned long long startTime = 0;
};

std::optional<StatInfo> readStat(pid_t pid)
{
    const auto line = readFirstLine(procPath(pid, "stat"));
    if (!line)
        return std::nullopt;
    // "pid (comm) state ppid ..." -- the command name may hold blanks and ')'.
    const auto close = line->rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream rest(line->substr(close + 1));
    StatInfo info;
    rest >> info.state;
    // Fields 4 to 21 come before the start time (field 22).
    std::string skip;
    for (int field = 4; field <= 21; ++field)
        rest >> skip;
    rest >> info.startTime;
    if (!rest)
        return std::nullopt;
    return info;
}

std::optional<uid_t> readRealUid(pid_t pid)
{
    std::ifstream in(procPath(pid, "status"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Uid:", 0) == 0) {
            std::istringstream fields(line.substr(4));
            unsigned long uid = 0;
            if (fields >> uid)
                return static_cast<uid_t>(uid);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> programFileName(pid_t pid)
{
    char buffer[PATH_MAX];
    const auto length = readlink(procPath(pid, "exe").c_str(), buffer, sizeof buffer);
    if (length <= 0)
        return std::nullopt;
    std::string target(buffer, static_cast<std::size_t>(length));
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted))
        target.resize(target.size() - deleted.size());
    const auto slash = target.rfind('/');
    return slash == std::string::npos ? target : target.substr(slash + 1);
}

bool runsProgram(pid_t pid, std::string_view name)
{
    if (const auto file = programFileName(pid))
        return *file == name;
    if (name.size() > kCommLength)
        return false;
    const auto comm = readFirstLine(procPath(pid, "comm"));
    return comm && *comm == name;
}

struct Target {
    pid_t pid;
    unsigned long long startTime;
};

// The process is still the one we found and has not ended (a zombie has).
bool stillRunning(const Target& target)
{
    const auto stat = readStat(target.pid);
    return stat && stat->startTime == target.startTime && stat->state != 'Z' && stat->state != 'X';
}

std::vector<Target> findTargets(std::string_view name, bool includeSelf)
{
    std::vector<Target> targets;
    if (!isValidProgramName(name))
        return targets;
    const pid_t self = getpid();
    const uid_t user = getuid();
    DIR* proc = opendir("/proc");
    if (!proc)
        return targets;
    while (const dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long value = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || value <= 0)
            continue;
        const auto pid = static_cast<pid_t>(value);
        if (pid == self && !includeSelf)
            continue;
        const auto uid = readRealUid(pid);
        if (!uid || *uid != user)
            continue;
        const auto stat = readStat(pid);
        if (!stat || stat->state == 'Z' || stat->state == 'X')
            continue;
        if (!runsProgram(pid, name))
            continue;
        targets.push_back({pid, stat->startTime});
    }
    closedir(proc);
    std::sort(targets.begin(), targets.end(), [](const Target& a, const Target& b) { return a.pid < b.pid; });
    return targets;
}

void signalAll(const std::vector<Target>& targets, int signal)
{
    const pid_t self = getpid();
    bool signalSelf = false;
    for (const auto& target : targets) {
        if (target.pid == self) {
            signalSelf = true;
            continue;
        }
        if (stillRunning(target))
            kill(target.pid, signal);
    }
    if (signalSelf)
        kill(self, signal);
}

// Drops the targets that ended; waits until none is left or time runs out.
void waitForEnd(std::vector<Target>& targets, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::erase_if(targets, [](const Target& t) { return !stillRunning(t); });
        if (targets.empty() || std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

bool isValidProgramName(std::string_view name)
{
    return !name.empty() && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

std::vector<pid_t> findProgramsByName(std::string_view name, bool includeSelf)
{
    std::vector<pid_t> pids;
    for (const auto& target : findTargets(name, includeSelf))
        pids.push_back(target.pid);
    return pids;
}

EndProgramsResult endProgramsByName(std::string_view name, const EndProgramsOptions& options)
{
    EndProgramsResult result;
    result.nameValid = isValidProgramName(name);
    auto targets = findTargets(name, options.includeSelf);
    for (const auto& target : targets)
        result.matched.push_back(target.pid);
    if (targets.empty())
        return result;

    if (options.grace.count() > 0) {
        signalAll(targets, SIGTERM);
        waitForEnd(targets, options.grace);
    }
    if (!targets.empty()) {
        signalAll(targets, SIGKILL);
        waitForEnd(targets, options.killWait);
    }
    for (const auto& target : targets)
        result.survivors.push_back(target.pid);
    return result;
}

} // namespace kf
