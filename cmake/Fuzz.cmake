# Fuzz targets of the readers of outside data.
#
#   wavorel_add_fuzz_target(<name>
#     SOURCES <the file defining LLVMFuzzerTestOneInput, and any reader sources
#              compiled in for coverage>
#     LIBS <libraries>)
#
# Inputs kept for a target live in tests/fuzz/<name>/ (seeds, and every crash
# input found, kept as a fixture). Every build gets replay_<name>, which runs
# the target's entry on each of those files, and a CTest test of it, so a
# crash once found stays fixed in the normal and the sanitizer build. Where
# the compiler has libFuzzer (clang), fuzz_<name> is the fuzzer itself;
# tools/fuzz.sh runs every one of them for a bounded time.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
check_cxx_source_compiles(
  "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
  WAVOREL_HAS_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)

set_property(GLOBAL PROPERTY WAVOREL_FUZZ_TARGETS "")

function(wavorel_add_fuzz_target name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/${name})
  add_executable(replay_${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
  target_link_libraries(replay_${name} PRIVATE ${A_LIBS})
  add_test(NAME fuzz_inputs.${name} COMMAND replay_${name} ${seeds})
  set_tests_properties(fuzz_inputs.${name} PROPERTIES TIMEOUT 120)
  if(WAVOREL_HAS_LIBFUZZER)
    add_executable(fuzz_${name} ${A_SOURCES})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${A_LIBS} -fsanitize=fuzzer,address,undefined)
    set_property(GLOBAL APPEND PROPERTY WAVOREL_FUZZ_TARGETS ${name})
  endif()
endfunction()

# Writes the list of fuzz targets for tools/fuzz.sh (call once, at the end).
function(wavorel_write_fuzz_list)
  get_property(targets GLOBAL PROPERTY WAVOREL_FUZZ_TARGETS)
  string(REPLACE ";" "\n" text "${targets}")
  file(WRITE ${PROJECT_BINARY_DIR}/fuzz-targets.txt "${text}\n")
endfunction()
