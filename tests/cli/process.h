#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Running a program as a child process with pipes on its standard input, output and error:
// process_posix.cpp with posix_spawn and poll, process_windows.cpp with CreateProcessW and a
// thread per output pipe.
namespace korimbo::testing {

struct ProcessResult
{
    // The exit status, or -1 when the process ended by a signal.
    int exitStatus = -1;
    int signal = 0; // POSIX only
    std::string out;
    std::string err;
    // The child's peak resident memory, in KiB; POSIX only.
    long maxResidentKiB = 0;
};

// A child process started with the calling process's environment plus `environment` entries
// ("NAME=value", replacing any of the same name). Its standard output goes to the file
// `outputPath` when one is named. Stops the child when destroyed unfinished.
class ChildProcess
{
  public:
    ChildProcess(const std::string &program, const std::vector<std::string> &args,
                 const std::vector<std::string> &environment, const std::string &outputPath = {});
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ~ChildProcess();

    // Writes all of `input` to the child's standard input while collecting its output, so that
    // neither side can block the other.
    void Write(std::string_view input);

    // Reads standard output until it holds a LF or ends, waiting at most `timeoutMs` in all;
    // returns what was read so far (the line, or less on a timeout or an end).
    std::string ReadLine(int timeoutMs);

    // Closes standard input, collects all output and waits for the end.
    ProcessResult Finish();

  private:
    struct State; // the platform's process and pipes
    std::unique_ptr<State> state_;
};

// Runs the program with `input` on its standard input and returns when it has ended.
inline ProcessResult RunProcess(const std::string &program, const std::vector<std::string> &args,
                                std::string_view input, const std::vector<std::string> &environment)
{
    ChildProcess child(program, args, environment);
    child.Write(input);
    return child.Finish();
}

} // namespace korimbo::testing
