#include "platform/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

std::string Reason(const std::string& what, int err) { return what + ": " + std::strerror(err); }

// Closes and removes the temporary file, keeping errno of the first failure.
void Discard(int fd, const std::string& tempPath) {
  int saved = errno;
  if (fd >= 0) ::close(fd);
  ::unlink(tempPath.c_str());
  errno = saved;
}

}  // namespace

std::string TemporaryNameBeside(const std::string& path, int attempt) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + base + ".tmp" + PlainInteger(static_cast<long long>(::getpid())) + "-" +
         PlainInteger(attempt);
}

void WriteFileAtomically(const std::string& path, std::string_view content) {
  if (path.empty()) throw FileError(path, "no file name given");

  // Write through a link to the file it names, so the link itself survives.
  std::string target = path;
  struct stat lst;
  if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
  }

  struct stat old;
  bool hadFile = ::stat(target.c_str(), &old) == 0;
  if (hadFile && S_ISDIR(old.st_mode)) throw FileError(path, "a folder has this name");

  size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);

  // O_EXCL with a name made of the process id and the attempt: a name left over
  // by an earlier run is passed by. Mode 0666 lets the umask decide the
  // permissions of a new file, as for any file the user creates.
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = TemporaryNameBeside(target, attempt);
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw FileError(path, Reason("cannot create a file in " + folder, errno));

  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      Discard(fd, tempPath);
      throw FileError(path, Reason("cannot write the file", err));
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  if (hadFile && ::fchmod(fd, old.st_mode & 07777) != 0) {
    // Not being able to keep the old permissions is no reason to lose the save.
  }
  if (::fsync(fd) != 0 && errno != EINVAL) {
    int err = errno;
    Discard(fd, tempPath);
    throw FileError(path, Reason("cannot write the file", err));
  }
  if (::close(fd) != 0) {
    int err = errno;
    Discard(-1, tempPath);
    throw FileError(path, Reason("cannot write the file", err));
  }
  if (::rename(tempPath.c_str(), target.c_str()) != 0) {
    int err = errno;
    Discard(-1, tempPath);
    throw FileError(path, Reason("cannot replace the file", err));
  }
}

}  // namespace sonvale
