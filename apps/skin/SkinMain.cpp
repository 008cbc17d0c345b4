// wavskin: writes the skin files into the folder given on the command line.
#include <cstdio>
#include <string>

#include "apps/skin/SkinGenerator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wavskin <folder>\n");
    return 2;
  }
  std::string error;
  if (!wavorel::skin::writeSkin(argv[1], &error)) {
    std::fprintf(stderr, "wavskin: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
