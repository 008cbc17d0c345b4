#include "tests/support/EnglishTexts.h"

#include <filesystem>

namespace wavorel::testing {

void installEnglishTexts(const std::string& programFolder) {
  std::filesystem::create_directories(programFolder + "/Language");
  std::filesystem::copy_file(std::string(WAVOREL_LANGUAGE_DIR) + "/English.ini",
                             programFolder + "/Language/English.ini",
                             std::filesystem::copy_options::overwrite_existing);
}

}  // namespace wavorel::testing
