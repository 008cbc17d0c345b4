# The GDI tests load images from a resource script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/Gdi.rc)

# A libFuzzer target for the BMP and ICO/CUR readers (fuzz_image_files), made
# only by compilers that have libFuzzer (clang); ctest does not run it.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
check_cxx_source_compiles(
  "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
  WAVOREL_HAS_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)
if(WAVOREL_HAS_LIBFUZZER)
  # The readers are compiled in, so that they carry the fuzzer's coverage.
  set(gdi ${PROJECT_SOURCE_DIR}/platform/win/gdi)
  add_executable(fuzz_image_files ${CMAKE_CURRENT_LIST_DIR}/fuzz/ImageFileFuzz.cpp ${gdi}/BmpFile.cpp
                                  ${gdi}/IconFile.cpp ${gdi}/DibFormat.cpp ${gdi}/Surface.cpp ${gdi}/Bitmap.cpp)
  target_compile_options(fuzz_image_files PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_image_files PRIVATE wavplatform -fsanitize=fuzzer,address,undefined)
endif()
