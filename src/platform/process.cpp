#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace sonvale {
namespace {

int DecodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// The program and its arguments as the NULL-terminated vector exec wants, built
// before a fork because the child may only call async-signal-safe functions.
class ArgumentVector {
 public:
  explicit ArgumentVector(const ProcessCommand& command) : strings_{command.program} {
    strings_.insert(strings_.end(), command.args.begin(), command.args.end());
    for (std::string& s : strings_) pointers_.push_back(s.data());
    pointers_.push_back(nullptr);
  }
  char* const* data() { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// In the child: moves to the command's folder and runs it; when either fails,
// writes errno to errFd for the parent and ends with status 127.
[[noreturn]] void ExecChild(const ProcessCommand& command, char* const* argv, int errFd) {
  int e = 0;
  if (!command.workingDir.empty() && chdir(command.workingDir.c_str()) != 0) {
    e = errno;
  } else {
    execvp(argv[0], argv);  // a bare name (an editor) is looked up on PATH
    e = errno;
  }
  ssize_t ignored = write(errFd, &e, sizeof e);
  (void)ignored;
  _exit(127);
}

}  // namespace

std::optional<ChildProcess> ChildProcess::start(const ProcessCommand& command, std::string* error) {
  ArgumentVector args(command);
  char* const* argv = args.data();

  // A close-on-exec pipe tells the parent whether exec succeeded: it is closed
  // unread when it did, and carries errno when the child could not start.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    if (error) *error = std::strerror(errno);
    return std::nullopt;
  }
  pid_t pid = fork();
  if (pid < 0) {
    int e = errno;
    close(fds[0]);
    close(fds[1]);
    if (error) *error = std::strerror(e);
    return std::nullopt;
  }
  if (pid == 0) {
    close(fds[0]);
    ExecChild(command, argv, fds[1]);
  }
  close(fds[1]);
  int childErrno = 0;
  ssize_t n;
  do {
    n = read(fds[0], &childErrno, sizeof childErrno);
  } while (n < 0 && errno == EINTR);
  close(fds[0]);
  if (n > 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (error) *error = command.program + ": " + std::strerror(childErrno);
    return std::nullopt;
  }
  return ChildProcess(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), ended_(other.ended_), status_(other.status_) {
  other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  pid_ = other.pid_;
  ended_ = other.ended_;
  status_ = other.status_;
  other.pid_ = -1;
  return *this;
}

int ChildProcess::exitCode() {
  if (ended_) return DecodeStatus(status_);
  if (pid_ <= 0) return -1;
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid_, &status, WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return kStillActive;
  if (r < 0) return -1;
  ended_ = true;
  status_ = status;
  int code = DecodeStatus(status);
  // A program that really returns the still-active code must not look as if it
  // were running for ever.
  return code == kStillActive ? kStillActive + 1 : code;
}

void ChildProcess::terminate() {
  if (pid_ <= 0 || ended_) return;
  kill(pid_, SIGTERM);
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) {
    ended_ = true;
    status_ = status;
  }
}

WaitResult RunAndWait(const ProcessCommand& command, long long timeoutMs,
                      const std::function<void()>& processEvents) {
  WaitResult result;
  std::string error;
  std::optional<ChildProcess> child = ChildProcess::start(command, &error);
  if (!child) {
    result.message = std::string(kProcessNotObserved) + kProcessWatchIt;
    return result;
  }
  result.pid = child->pid();
  const auto start = std::chrono::steady_clock::now();
  int code = kStillActive;
  do {
    code = child->exitCode();
    if (code == -1) {
      result.message = std::string(kProcessNotObserved) + kProcessWatchIt;
      return result;
    }
    if (code != kStillActive) break;
    if (processEvents) processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start)
                       .count();
    if (elapsed > timeoutMs) {
      result.message = kProcessTimedOut;
      return result;
    }
  } while (true);
  result.ended = true;
  result.exitCode = code;
  return result;
}

std::optional<int> StartDetached(const ProcessCommand& command, std::string* error) {
  // A double fork: the program becomes a child of the init process, which reaps
  // it when it ends, so a background run leaves no zombie behind while this
  // program goes on.
  ArgumentVector args(command);
  char* const* argv = args.data();

  int errPipe[2];
  int pidPipe[2];
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    if (error) *error = std::strerror(errno);
    return std::nullopt;
  }
  if (pipe2(pidPipe, O_CLOEXEC) != 0) {
    if (error) *error = std::strerror(errno);
    close(errPipe[0]);
    close(errPipe[1]);
    return std::nullopt;
  }
  pid_t middle = fork();
  if (middle < 0) {
    if (error) *error = std::strerror(errno);
    for (int fd : {errPipe[0], errPipe[1], pidPipe[0], pidPipe[1]}) close(fd);
    return std::nullopt;
  }
  if (middle == 0) {
    close(errPipe[0]);
    close(pidPipe[0]);
    setsid();
    pid_t pid = fork();
    if (pid == 0) ExecChild(command, argv, errPipe[1]);
    int sent = static_cast<int>(pid);
    ssize_t ignored = write(pidPipe[1], &sent, sizeof sent);
    (void)ignored;
    _exit(0);
  }
  close(errPipe[1]);
  close(pidPipe[1]);
  int status = 0;
  waitpid(middle, &status, 0);
  int pid = -1;
  ssize_t n;
  do {
    n = read(pidPipe[0], &pid, sizeof pid);
  } while (n < 0 && errno == EINTR);
  close(pidPipe[0]);
  int childErrno = 0;
  ssize_t m;
  do {
    m = read(errPipe[0], &childErrno, sizeof childErrno);
  } while (m < 0 && errno == EINTR);
  close(errPipe[0]);
  if (n != static_cast<ssize_t>(sizeof pid) || pid <= 0) {
    if (error) *error = command.program + ": the process could not be started";
    return std::nullopt;
  }
  if (m > 0) {
    if (error) *error = command.program + ": " + std::strerror(childErrno);
    return std::nullopt;
  }
  return pid;
}

}  // namespace sonvale
