#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace wispen {

// A file's content that is not what its reader expects (wrong size, unknown layout, damaged data).
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

using Bytes = std::vector<uint8_t>;

// Little-endian writing, as every binary file of the game is laid out.
class ByteWriter {
 public:
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Append(std::span<const uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
  void PatchU32(size_t offset, uint32_t v);

  size_t Size() const { return out_.size(); }
  Bytes Take() { return std::move(out_); }

 private:
  Bytes out_;
};

// Little-endian reading with bounds checks: running off the end is a FormatError naming `what`.
class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> bytes, std::string what) : bytes_(bytes), what_(std::move(what)) {}

  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  int32_t I32() { return static_cast<int32_t>(U32()); }
  void Seek(size_t offset);
  size_t Offset() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }

 private:
  std::span<const uint8_t> bytes_;
  std::string what_;
  size_t pos_ = 0;
};

// Whole-file reading and writing; failures throw std::runtime_error naming the file.
Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace wispen
