// Child processes on POSIX systems: posix_spawn, and poll over the pipes.
#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char **environ;

namespace korimbo::testing {
namespace {

void Check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

void ClosePipe(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string> &overrides)
{
    std::vector<std::string> merged;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const std::string &override : overrides)
            replaced |= override.substr(0, override.find('=')) == name;
        if (!replaced)
            merged.emplace_back(text);
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char *> Pointers(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

struct ChildProcess::State
{
    // Moves data between the pipes once, waiting at most `timeoutMs`; false when nothing is
    // left to move.
    bool Pump(std::string_view &input, int timeoutMs);

    int pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::string outText_;
    std::string errText_;
};

ChildProcess::ChildProcess(const std::string &program, const std::vector<std::string> &args,
                           const std::vector<std::string> &environment, const std::string &outputPath)
    : state_(std::make_unique<State>())
{
    State &s = *state_;
    // A child that ends without reading all its input must not end the test with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    Check(pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0, "pipe2");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    if (outputPath.empty())
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp = MergedEnvironment(environment);
    const int spawned =
        posix_spawn(&s.pid_, program.c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    s.in_ = in[1];
    s.out_ = out[0];
    s.err_ = err[0];
    if (!outputPath.empty())
        ClosePipe(s.out_);
    errno = spawned;
    Check(spawned == 0, "posix_spawn");
    Check(fcntl(s.in_, F_SETFL, O_NONBLOCK) == 0, "fcntl");
#ifdef F_SETPIPE_SZ
    // Large inputs pass in fewer rounds through a larger pipe (Linux); a refusal changes nothing.
    fcntl(s.in_, F_SETPIPE_SZ, 1 << 20);
#endif
}

ChildProcess::~ChildProcess()
{
    State &s = *state_;
    ClosePipe(s.in_);
    ClosePipe(s.out_);
    ClosePipe(s.err_);
    if (s.pid_ > 0) {
        kill(s.pid_, SIGKILL);
        waitpid(s.pid_, nullptr, 0);
    }
}

bool ChildProcess::State::Pump(std::string_view &input, int timeoutMs)
{
    pollfd fds[3] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}, {input.empty() ? -1 : in_, POLLOUT, 0}};
    if (out_ < 0 && err_ < 0 && fds[2].fd < 0)
        return false;
    const int ready = poll(fds, 3, timeoutMs);
    if (ready < 0 && errno == EINTR)
        return true;
    Check(ready >= 0, "poll");
    if (ready == 0)
        return false;
    char buffer[65536];
    int *pipes[2] = {&out_, &err_};
    std::string *texts[2] = {&outText_, &errText_};
    for (int i = 0; i < 2; ++i) {
        if (*pipes[i] < 0 || fds[i].revents == 0)
            continue;
        const ssize_t got = read(*pipes[i], buffer, sizeof buffer);
        if (got > 0)
            texts[i]->append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            ClosePipe(*pipes[i]);
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
        const ssize_t put = write(in_, input.data(), input.size());
        if (put > 0)
            input.remove_prefix(static_cast<std::size_t>(put));
        else if (errno == EPIPE)
            input = {}; // the child closed its input: the rest cannot be delivered
    }
    return true;
}

void ChildProcess::Write(std::string_view input)
{
    while (!input.empty() && state_->in_ >= 0)
        state_->Pump(input, -1);
}

std::string ChildProcess::ReadLine(int timeoutMs)
{
    State &s = *state_;
    std::string &outText_ = s.outText_;
    std::string_view noInput;
    for (int waited = 0; outText_.find('\n') == std::string::npos && s.out_ >= 0 && waited < timeoutMs; waited += 100)
        s.Pump(noInput, 100);
    const std::size_t end = outText_.find('\n');
    const std::size_t length = end == std::string::npos ? outText_.size() : end + 1;
    std::string line = outText_.substr(0, length);
    outText_.erase(0, length);
    return line;
}

ProcessResult ChildProcess::Finish()
{
    State &s = *state_;
    ClosePipe(s.in_);
    std::string_view noInput;
    while (s.Pump(noInput, -1)) {
    }
    ProcessResult result;
    int status = 0;
    rusage usage{};
    Check(wait4(s.pid_, &status, 0, &usage) == s.pid_, "wait4");
    s.pid_ = -1;
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.maxResidentKiB = usage.ru_maxrss;
    result.out = std::move(s.outText_);
    result.err = std::move(s.errText_);
    return result;
}

} // namespace korimbo::testing
