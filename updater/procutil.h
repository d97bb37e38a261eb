// Ending running programs by their program name, the way the updater ends
// the booth before it starts a setup program. Linux only (/proc).
//
// A process matches a name when it belongs to the calling user (same real
// user id) and its program file's name (the last part of /proc/<pid>/exe,
// a " (deleted)" mark dropped) equals the name exactly. Where the program
// file cannot be read, the kernel's command name (/proc/<pid>/comm) counts,
// but only for names of up to 15 bytes, which the kernel keeps whole. The
// calling process itself is never included unless asked for.
#pragma once

#include <chrono>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kf {

// True when `name` can name a program: not empty, no '/' and no NUL byte.
bool isValidProgramName(std::string_view name);

// The processes of the calling user that run a program of this name,
// in ascending pid order. An invalid name finds none.
std::vector<pid_t> findProgramsByName(std::string_view name, bool includeSelf = false);

struct EndProgramsOptions {
    // Also end the calling process when it matches (it is signalled last).
    bool includeSelf = false;
    // How long the processes have to end after SIGTERM before SIGKILL is
    // sent to those still running. Zero sends SIGKILL at once.
    std::chrono::milliseconds grace {3000};
    // How long to wait after SIGKILL before giving up on a process.
    std::chrono::milliseconds killWait {2000};
};

struct EndProgramsResult {
    bool nameValid = true;
    std::vector<pid_t> matched; // the processes found
    std::vector<pid_t> survivors; // still running when the helper gave up
    bool ok() const { return nameValid && survivors.empty(); }
};

// Ends every process that findProgramsByName() lists: SIGTERM first, so a
// program can close its windows and clean up, SIGKILL after the grace time.
// Blocks until all have ended or the waits ran out. A process that ends
// while it waits counts as ended even when it stays a zombie. A pid taken
// over by a new process in the meantime is never signalled.
EndProgramsResult endProgramsByName(std::string_view name, const EndProgramsOptions& options = {});

} // namespace kf
