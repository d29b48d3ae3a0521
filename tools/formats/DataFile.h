#pragma once

#include <string>

#include "core/Bytes.h"
#include "core/DataSignature.h"

namespace wispen::formats {

// Writes `bytes` as a data file with hidden signatures.
void WriteDataFile(const std::string& path, Bytes bytes, DataKind kind);

// Reads a data file and gives its bytes back with the signatures restored.
Bytes ReadDataFile(const std::string& path, DataKind kind);

}  // namespace wispen::formats
