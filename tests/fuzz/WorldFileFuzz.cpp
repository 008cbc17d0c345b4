// libFuzzer target for the world file: any text gives a world or a refusal
// with its file, line and reason (WorldError), never another failure.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sim/radio/World.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    wavorel::sim::parseWorld(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ini");
  } catch (const wavorel::sim::WorldError&) {
  }
  return 0;
}
