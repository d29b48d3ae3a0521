// The script parser: any text is parsed or refused with a ScriptError, and a command keeps its values in
// their ranges.
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzFile.h"
#include "platform/Clock.h"
#include "platform/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wispen;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    for (const ScriptCommand& c : ParseScript(in, "fuzz.script")) {
      if (c.kind == ScriptCommand::Kind::Wait) fuzz::Require(c.ms >= 0 && c.ms <= kLatestTimeMs);
    }
  } catch (const ScriptError& e) {
    fuzz::Require(std::string(e.what()).size() < 400);
  }
  return 0;
}
