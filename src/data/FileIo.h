#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

namespace wispen {

// True when a file of this name exists; a directory of that name is not a file.
bool FileExists(const std::string& path);

// The size of a file in bytes, or -1 when there is none.
long long FileSize(const std::string& path);

// Copies `from` to a new file `to`: a plain file that is there is removed first and the copy is made
// exclusively, so a link planted under the name is never written through (nor removed). Callers look for
// the result on disk, not here.
void CopyFileReplacing(const std::string& from, const std::string& to);

// Deletes a file if the system lets it go; a missing file or a refusal is no concern of the callers.
void DeleteFileQuietly(const std::string& path);

// Renames `from` over `to` in one step: a reader sees the old file or the new one, never a mixture.
void ReplaceFile(const std::string& from, const std::string& to);

// Asks the system to put the directory holding `path` on the disk, so that a rename in it lasts; best effort.
void SyncDirectoryOf(const std::string& path);

// The system's write call. Tests put another in its place to make a write fail part of the way through.
using WriteCall = std::function<ssize_t(int fd, const void* data, size_t count)>;

// One open file of bytes. Every failure throws IoError naming the file and what was being done.
class ByteFile {
 public:
  enum class Mode {
    Read,       // an existing file, for reading
    ReadWrite,  // an existing file, not a link, for reading and writing
    Create,     // a new file, or an existing one cut to empty, for writing
    CreateNew,  // a new file that must not exist yet, not even as a link, for writing
    // A new file of a name no other has, for writing: the path's last six characters, "XXXXXX", are
    // replaced (mkstemp), so no link can be planted under the name in advance. Path() gives the name.
    CreateUnique,
  };

  ByteFile(const std::string& path, Mode mode, WriteCall write = {});
  ~ByteFile();
  ByteFile(const ByteFile&) = delete;
  ByteFile& operator=(const ByteFile&) = delete;

  // Reads up to `count` bytes; fewer only when the end of the file comes first.
  size_t Read(void* buffer, size_t count);
  void Write(const void* data, size_t count);
  void SeekStart();
  // Pushes the written bytes to the disk.
  void Sync();
  void Close();
  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void Fail(const char* doing) const;

  std::string path_;
  int fd_ = -1;
  WriteCall write_;
};

}  // namespace wispen
