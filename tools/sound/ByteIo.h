#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace wispen::sound {

// A file that does not hold what its format promises.
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes);
void PutBe(std::vector<uint8_t>& out, uint32_t value, int bytes);
void PutText(std::vector<uint8_t>& out, const std::string& text);

// Reads fields from a byte buffer; running off its end is a FormatError naming what was being read.
class ByteReader {
 public:
  ByteReader(const std::vector<uint8_t>& bytes, size_t begin, size_t end);
  ByteReader(const std::vector<uint8_t>& bytes) : ByteReader(bytes, 0, bytes.size()) {}

  uint32_t Le(int bytes, const char* what);
  uint32_t Be(int bytes, const char* what);
  std::string Text(size_t length, const char* what);
  uint8_t Byte(const char* what) { return static_cast<uint8_t>(Be(1, what)); }
  void Skip(size_t length, const char* what);
  size_t Position() const { return pos_; }
  size_t Remaining() const { return end_ - pos_; }
  bool AtEnd() const { return pos_ >= end_; }

 private:
  void Need(size_t length, const char* what) const;

  const std::vector<uint8_t>& bytes_;
  size_t pos_;
  size_t end_;
};

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace wispen::sound
