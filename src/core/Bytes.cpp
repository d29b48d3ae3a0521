#include "core/Bytes.h"

#include <fstream>
#include <iterator>

namespace wispen {

void ByteWriter::PatchU32(size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) out_.at(offset + i) = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t ByteReader::U8() {
  if (pos_ >= bytes_.size())
    throw FormatError(what_ + ": unexpected end of data at byte " + std::to_string(pos_));
  return bytes_[pos_++];
}

uint16_t ByteReader::U16() {
  const uint16_t lo = U8();
  return static_cast<uint16_t>(lo | (U8() << 8));
}

uint32_t ByteReader::U32() {
  const uint32_t lo = U16();
  return lo | (static_cast<uint32_t>(U16()) << 16);
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
