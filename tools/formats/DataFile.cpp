#include "DataFile.h"

namespace wispen::formats {

void WriteDataFile(const std::string& path, Bytes bytes, DataKind kind) {
  HideSignature(bytes, kind);
  WriteFileBytes(path, bytes);
}

Bytes ReadDataFile(const std::string& path, DataKind kind) {
  Bytes bytes = ReadFileBytes(path);
  RestoreSignature(bytes, kind);
  return bytes;
}

}  // namespace wispen::formats
