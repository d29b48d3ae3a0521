#include "core/Bytes.h"

#include <fstream>
#include <iterator>

namespace wispen {

void ByteWriter::PatchU32(size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) out_.at(offset + i) = static_cast<uint8_t>(v >> (8 * i));
}

void PutLe(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBe(Bytes& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutText(Bytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

void ByteReader::Need(size_t length, const char* field) const {
  if (Remaining() >= length) return;
  throw FormatError(what_ + (field != nullptr ? std::string(" ends inside ") + field : std::string(" ends")) +
                    " at byte " + std::to_string(pos_));
}

uint32_t ByteReader::Le(int bytes, const char* field) {
  Need(static_cast<size_t>(bytes), field);
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
  pos_ += static_cast<size_t>(bytes);
  return value;
}

uint32_t ByteReader::Be(int bytes, const char* field) {
  Need(static_cast<size_t>(bytes), field);
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | bytes_[pos_ + i];
  pos_ += static_cast<size_t>(bytes);
  return value;
}

std::string ByteReader::Text(size_t length, const char* field) {
  Need(length, field);
  std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + length));
  pos_ += length;
  return text;
}

void ByteReader::Skip(size_t length, const char* field) {
  Need(length, field);
  pos_ += length;
}

void ByteReader::Seek(size_t offset) {
  if (offset > bytes_.size())
    throw FormatError(what_ + ": offset " + std::to_string(offset) + " beyond the data");
  pos_ = offset;
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return bytes;
}

void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot create " + path);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace wispen
