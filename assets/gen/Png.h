#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wispen::art {

// An RGB PNG file of the given 0x00BBGGRR pixels, row by row. The data are stored without compression:
// the files stay in the build tree, and a writer this small needs no library.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels);
// Writes the file; throws std::runtime_error when it cannot.
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace wispen::art
