#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wispen {

// A file's content that is not what its reader expects (wrong size, unknown layout, damaged data).
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

using Bytes = std::vector<uint8_t>;

// Appends a number of 1 to 4 bytes, little-endian (as every binary file of the game) or big-endian (as MIDI),
// or text as it is.
void PutLe(Bytes& out, uint32_t value, int bytes);
void PutBe(Bytes& out, uint32_t value, int bytes);
void PutText(Bytes& out, std::string_view text);

// Little-endian writing, field by field.
class ByteWriter {
 public:
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) { PutLe(out_, v, 2); }
  void U32(uint32_t v) { PutLe(out_, v, 4); }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Append(std::span<const uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
  void PatchU32(size_t offset, uint32_t v);

  size_t Size() const { return out_.size(); }
  Bytes Take() { return std::move(out_); }

 private:
  Bytes out_;
};

// Reading with bounds checks: running off the end is a FormatError naming `what` (the data) and, where the
// call names one, the field being read.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes, std::string what = "the file")
      : bytes_(bytes), what_(std::move(what)) {}

  // Little-endian fields.
  uint8_t U8() { return static_cast<uint8_t>(Le(1, nullptr)); }
  uint16_t U16() { return static_cast<uint16_t>(Le(2, nullptr)); }
  uint32_t U32() { return Le(4, nullptr); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  // Numbers of 1 to 4 bytes either way round, text, and skipping, each naming its field.
  uint32_t Le(int bytes, const char* field);
  uint32_t Be(int bytes, const char* field);
  uint8_t Byte(const char* field) { return static_cast<uint8_t>(Le(1, field)); }
  std::string Text(size_t length, const char* field);
  void Skip(size_t length, const char* field);

  void Seek(size_t offset);
  size_t Offset() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ >= bytes_.size(); }

 private:
  void Need(size_t length, const char* field) const;

  std::span<const uint8_t> bytes_;
  std::string what_;
  size_t pos_ = 0;
};

// Whole-file reading and writing; failures throw std::runtime_error naming the file.
Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace wispen
