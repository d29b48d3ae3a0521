#include "StoredForm.h"

#include <algorithm>
#include <string_view>

namespace wispen::sound {

namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, std::string_view text) {
  if (bytes.size() < at + text.size()) bytes.resize(at + text.size());
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

void OverwriteSignature(std::vector<uint8_t>& bytes, StoredKind kind) {
  Put(bytes, 0, "Wsp~");
  if (kind == StoredKind::Wave) {
    Put(bytes, 8, "wispen!");
  } else {
    Put(bytes, 14, "wisp");
  }
}

void RestoreSignature(std::vector<uint8_t>& bytes, StoredKind kind) {
  if (kind == StoredKind::Wave) {
    Put(bytes, 0, "RIFF");
    Put(bytes, 8, "WAVEfmt");
  } else {
    Put(bytes, 0, "MThd");
    Put(bytes, 14, "MTrk");
  }
}

}  // namespace wispen::sound
