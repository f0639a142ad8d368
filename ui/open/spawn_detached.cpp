#include "ui/open/spawn_detached.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace korimbo {
namespace {

Launcher launcher = nullptr;

// The full path of `program`: as given when it holds a "/", else the first executable in PATH.
// Only absolute PATH entries count: an empty or relative entry would make the working directory,
// which anybody may have filled, a place programs are taken from.
std::optional<std::string> FindProgram(const std::string &program)
{
    if (program.find('/') != std::string::npos)
        return program;
    const char *path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        dirs.remove_prefix(colon == std::string_view::npos ? dirs.size() : colon + 1);
        if (dir.empty() || dir.front() != '/')
            continue;
        std::string candidate(dir);
        candidate += '/';
        candidate += program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// Waits for the child on a thread of its own, so it leaves no zombie and the caller never waits.
void ReapInBackground(pid_t child)
{
    try {
        std::thread([child] {
            while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error &) {
        // No thread to spare: the child stays a zombie until the program ends, which costs nothing
        // but a process-table entry.
    }
}

// Spawn settings for the opener: default signal handling, an empty signal mask, its own
// session, and /dev/null for the standard streams.
class SpawnSettings
{
  public:
    SpawnSettings()
    {
        posix_spawnattr_init(&attr_);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attr_, &none);
        posix_spawnattr_setsigdefault(&attr_, &all);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#endif
        posix_spawnattr_setflags(&attr_, flags);
        posix_spawn_file_actions_init(&actions_);
        for (const int fd : {0, 1, 2})
            posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    }
    ~SpawnSettings()
    {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attr_);
    }
    SpawnSettings(const SpawnSettings &) = delete;
    SpawnSettings &operator=(const SpawnSettings &) = delete;

    const posix_spawnattr_t *attr() const
    {
        return &attr_;
    }
    const posix_spawn_file_actions_t *actions() const
    {
        return &actions_;
    }

  private:
    posix_spawnattr_t attr_;
    posix_spawn_file_actions_t actions_;
};

} // namespace

bool SpawnDetached(const std::vector<std::string> &argv)
{
    if (argv.empty())
        return false;
    const std::optional<std::string> path = FindProgram(argv[0]);
    if (!path)
        return false;
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const SpawnSettings settings;
    // posix_spawn from this thread: no code of ours runs in the new process before its exec (after
    // a fork, a program with threads may make only async-signal-safe calls).
    pid_t child = 0;
    if (::posix_spawn(&child, path->c_str(), settings.actions(), settings.attr(), args.data(), environ) != 0)
        return false;
    ReapInBackground(child);
    return true;
}

Launcher SetLauncher(Launcher replacement)
{
    const Launcher previous = launcher;
    launcher = replacement;
    return previous;
}

bool Launch(const std::vector<std::string> &argv)
{
    return (launcher ? launcher : &SpawnDetached)(argv);
}

} // namespace korimbo
