// Starting an external program and watching it: an argument list handed to the
// program as it stands (no shell, so blanks and quotes in a path are safe), its
// process id, whether it still runs, its exit code, and a waiting loop that lets
// the interface run while it polls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sonvale {

inline const char* const kProcessNotObserved =
    "This program could not determine whether the process started.";
inline const char* const kProcessWatchIt = "Please watch the program and check it completes.";
inline const char* const kProcessTimedOut = "The process has timed out.";

// The exit code reported while a process still runs.
inline constexpr int kStillActive = 259;

struct ProcessCommand {
  std::string program;            // path of the executable
  std::vector<std::string> args;  // arguments after the program name
  std::string workingDir;         // the child's folder; empty: the caller's
};

// A started child process. Not copyable; the child is reaped by exitCode() once it
// has ended and is never killed by the destructor (a program left running in the
// background keeps running).
class ChildProcess {
 public:
  // Starts the program; nullopt when it cannot be started (missing, not
  // executable, folder missing), with the reason in error.
  static std::optional<ChildProcess> start(const ProcessCommand& command, std::string* error);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() = default;

  int pid() const { return pid_; }
  // kStillActive while the process runs; then its exit status (128 + signal
  // number when a signal ended it). -1 when the process cannot be queried.
  int exitCode();
  // Ends the process (SIGTERM) and reaps it.
  void terminate();

 private:
  explicit ChildProcess(int pid) : pid_(pid) {}
  int pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

struct WaitResult {
  bool ended = false;  // the process ended within the time-out
  int exitCode = -1;   // its exit code when it ended
  int pid = -1;        // -1 when it could not be started
  std::string message;
};

// Starts the command and waits for it, polling every 100 ms; after each poll
// processEvents runs (may be empty). On a time-out the process is left running
// and the message is kProcessTimedOut; when it cannot be started or observed, the
// message is kProcessNotObserved followed directly by kProcessWatchIt.
WaitResult RunAndWait(const ProcessCommand& command, long long timeoutMs,
                      const std::function<void()>& processEvents);

// Starts the command without waiting; the process id, or nullopt with the reason.
std::optional<int> StartDetached(const ProcessCommand& command, std::string* error);

}  // namespace sonvale
