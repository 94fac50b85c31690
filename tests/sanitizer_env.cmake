# Sanitizer settings for the tests of the sanitizer build (SONVALE_SANITIZE=ON):
# ctest reads this file before it lists and runs the tests, so that every test
# program, and every program a test starts (sonvale-cli, beamrun), inherits them.
# Settings already in the environment are kept.
if(NOT DEFINED ENV{ASAN_OPTIONS})
  set(ENV{ASAN_OPTIONS} "detect_leaks=1:check_initialization_order=1:strict_init_order=1")
endif()
if(NOT DEFINED ENV{UBSAN_OPTIONS})
  set(ENV{UBSAN_OPTIONS} "print_stacktrace=1")
endif()
if(NOT DEFINED ENV{LSAN_OPTIONS})
  set(ENV{LSAN_OPTIONS} "suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
endif()
