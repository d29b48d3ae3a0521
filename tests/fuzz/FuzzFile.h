#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace wispen::fuzz {

// A file of this process's own for loaders that read from a path; in memory where /dev/shm exists.
inline std::string ScratchPath(const char* name) {
  const char* dir =
      access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
  return std::string(dir) + "/wispen-fuzz-" + std::to_string(getpid()) + "-" + name;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

// A property of the loader that does not hold: a finding, as a crash would be.
inline void Require(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace wispen::fuzz
