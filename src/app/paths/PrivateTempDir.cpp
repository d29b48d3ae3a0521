#include "PrivateTempDir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace wispen {

namespace fs = std::filesystem;

namespace {

bool IsDirectory(const char* path) {
  struct stat info {};
  return path != nullptr && path[0] == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Opens a directory for its lock without following a link planted in its place.
int OpenDirectory(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

PrivateTempDir::PrivateTempDir(const std::string& parent) {
  const std::string base = parent.empty() ? DefaultParent(SystemEnvironment()) : parent;
  RemoveLeftoverTempDirs(base, std::chrono::seconds(10));
  std::string pattern = base + "/" + kTempDirPrefix + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    const int error = errno;
    throw std::runtime_error("cannot make a directory for temporary files in " + base + ": " +
                             std::strerror(error));
  }
  path_ = pattern + "/";
  lockFd_ = OpenDirectory(pattern);
  // The lock is what tells a later run that this directory is in use; without it the directory would be
  // taken for a left-over once it is older than a few seconds.
  if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (lockFd_ >= 0) ::close(lockFd_);
    std::error_code ignored;
    fs::remove_all(pattern, ignored);
    throw std::runtime_error("cannot lock the directory " + pattern + ": " + std::strerror(error));
  }
}

PrivateTempDir::~PrivateTempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  ::close(lockFd_);
}

std::string PrivateTempDir::DefaultParent(const EnvLookup& env) {
  for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* value = env(variable);
    if (IsDirectory(value)) return value;
  }
  return "/tmp";
}

void RemoveLeftoverTempDirs(const std::string& parent, std::chrono::seconds minAge) {
  std::error_code ec;
  fs::directory_iterator entries(parent, ec);
  if (ec) return;
  const std::time_t now = std::time(nullptr);
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kTempDirPrefix, 0) != 0) continue;
    struct stat info {};
    if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
      continue;
    if (now - info.st_mtime < minAge.count()) continue;
    const int fd = OpenDirectory(entry.path().string());
    if (fd < 0) continue;
    // A live game holds its directory's lock; only a directory nobody holds is a left-over.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) fs::remove_all(entry.path(), ec);
    ::close(fd);
  }
}

}  // namespace wispen
