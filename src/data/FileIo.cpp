#include "FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Errors.h"

namespace wispen {

namespace {

ByteFile CreateReplacingRegularFile(const std::string& path) {
  // Only an earlier plain file goes; a link, a device or a directory under the name is left as it is, and
  // the exclusive create then fails.
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
  return ByteFile(path, ByteFile::Mode::CreateNew);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

long long FileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return -1;
  return static_cast<long long>(info.st_size);
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
  // Copying a file onto itself would cut it to nothing before reading it.
  std::error_code ignored;
  if (std::filesystem::equivalent(from, to, ignored)) return;
  // The copy is made by hand rather than with std::filesystem::copy_file, which gives the copy the source's
  // permissions: a read-only installation would leave a temporary file that the signature cannot be written
  // into.
  try {
    ByteFile source(from, ByteFile::Mode::Read);
    ByteFile target = CreateReplacingRegularFile(to);
    std::vector<char> buffer(64 * 1024);
    while (size_t got = source.Read(buffer.data(), buffer.size())) target.Write(buffer.data(), got);
    target.Close();
  } catch (const IoError&) {
    // Whether a copy exists is read from the disk by the caller.
  }
}

void DeleteFileQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

void ReplaceFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    const int error = errno;
    throw IoError("cannot replace the file " + to + ": " + std::strerror(error));
  }
}

void SyncDirectoryOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::filesystem::path dir = parent.empty() ? std::filesystem::path(".") : parent;
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Nothing rests on this: the file under the name is whole either way, the old one or the new one.
  (void)::fsync(fd);
  ::close(fd);
}

ByteFile::ByteFile(const std::string& path, Mode mode, WriteCall write)
    : path_(path), write_(std::move(write)) {
  if (!write_) write_ = [](int fd, const void* data, size_t count) { return ::write(fd, data, count); };
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::Read:
      flags |= O_RDONLY;
      break;
    case Mode::ReadWrite:
      flags |= O_RDWR | O_NOFOLLOW;
      break;
    case Mode::Create:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case Mode::CreateNew:
      flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
      break;
    case Mode::CreateUnique:
      fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
      if (fd_ < 0) Fail("create");
      // mkstemp makes the file private; the file it becomes is as readable as any the game writes.
      (void)::fchmod(fd_, 0644);
      return;
  }
  do {
    fd_ = ::open(path.c_str(), flags, 0644);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) Fail("open");
}

ByteFile::~ByteFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t ByteFile::Read(void* buffer, size_t count) {
  auto* out = static_cast<char*>(buffer);
  size_t got = 0;
  while (got < count) {
    ssize_t n = ::read(fd_, out + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("read");
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

void ByteFile::Write(const void* data, size_t count) {
  const auto* in = static_cast<const char*>(data);
  size_t done = 0;
  while (done < count) {
    ssize_t n = write_(fd_, in + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("write");
    // A write that takes nothing and reports no error would loop for ever; the disk is full in all but name.
    if (n == 0) {
      errno = ENOSPC;
      Fail("write");
    }
    done += static_cast<size_t>(n);
  }
}

void ByteFile::SeekStart() {
  if (::lseek(fd_, 0, SEEK_SET) != 0) Fail("seek in");
}

void ByteFile::Sync() {
  if (::fsync(fd_) != 0) Fail("flush");
}

void ByteFile::Close() {
  int fd = fd_;
  fd_ = -1;
  // The descriptor is gone after close whatever it reports, so it is never closed twice.
  if (::close(fd) != 0) Fail("close");
}

void ByteFile::Fail(const char* doing) const {
  const int error = errno;
  std::string message = "cannot ";
  message.append(doing).append(" the file ").append(path_).append(": ").append(std::strerror(error));
  throw IoError(message);
}

}  // namespace wispen
