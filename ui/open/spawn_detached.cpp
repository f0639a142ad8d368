#include "ui/open/spawn_detached.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string_view>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace korimbo {
namespace {

Launcher launcher = nullptr;

// The full path of `program`: as given when it holds a "/", else the first executable in PATH.
std::optional<std::string> FindProgram(const std::string &program)
{
    if (program.find('/') != std::string::npos)
        return program;
    const char *path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = dirs.find(':');
        std::string candidate(dirs.substr(0, colon));
        candidate += candidate.empty() ? "./" : "/";
        candidate += program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        dirs.remove_prefix(colon + 1);
    }
}

// Spawn settings for the grandchild: default signal handling, an empty signal mask, its own
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
    // Everything the child needs is prepared here, so that between fork and exit it only calls
    // posix_spawn.
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const SpawnSettings settings;

    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        pid_t grandchild = 0;
        const int rc =
            ::posix_spawn(&grandchild, path->c_str(), settings.actions(), settings.attr(), args.data(), environ);
        ::_exit(rc == 0 ? 0 : 127);
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // With SIGCHLD ignored the child reaps itself and waitpid reports ECHILD; the start is then
    // unknown, which is fine for a silent opener.
    return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
