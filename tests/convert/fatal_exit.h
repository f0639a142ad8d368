#pragma once

// The exit status that a test sees for a process ended by FatalRuntimeError (exit code -1).
namespace korimbo::test {

#ifdef _WIN32
inline constexpr int kFatalExitCode = -1; // Windows keeps all 32 bits of the exit code
#else
inline constexpr int kFatalExitCode = 255; // POSIX keeps its low 8 bits
#endif

} // namespace korimbo::test
