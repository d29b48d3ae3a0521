#include "ByteIo.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace wispen::sound {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutText(std::vector<uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

ByteReader::ByteReader(const std::vector<uint8_t>& bytes, size_t begin, size_t end)
    : bytes_(bytes), pos_(begin), end_(std::min(end, bytes.size())) {}

void ByteReader::Need(size_t length, const char* what) const {
  if (pos_ > end_ || end_ - pos_ < length) throw FormatError(std::string("the file ends inside ") + what);
}

uint32_t ByteReader::Le(int bytes, const char* what) {
  Need(static_cast<size_t>(bytes), what);
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
  pos_ += static_cast<size_t>(bytes);
  return value;
}

uint32_t ByteReader::Be(int bytes, const char* what) {
  Need(static_cast<size_t>(bytes), what);
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | bytes_[pos_ + i];
  pos_ += static_cast<size_t>(bytes);
  return value;
}

std::string ByteReader::Text(size_t length, const char* what) {
  Need(length, what);
  std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + length));
  pos_ += length;
  return text;
}

void ByteReader::Skip(size_t length, const char* what) {
  Need(length, what);
  pos_ += length;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace wispen::sound
