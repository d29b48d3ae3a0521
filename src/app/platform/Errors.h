#pragma once

#include <stdexcept>
#include <string>

namespace wispen {

// A file routine failed: opening, reading, writing, seeking, closing, or a picture that cannot be read.
class IoError : public std::runtime_error {
 public:
  explicit IoError(const std::string& what) : std::runtime_error(what) {}
};

// A file the game makes could not be written (a full disk, a file size limit): the data are not to blame.
class WriteError : public IoError {
 public:
  using IoError::IoError;
};

// A media player could not open its device or file.
class MediaError : public std::runtime_error {
 public:
  explicit MediaError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace wispen
