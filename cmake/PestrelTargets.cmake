# Build rules shared by every target of our own.

if(PESTREL_SANITIZE)
  set(PESTREL_SANITIZER_FLAGS
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${PESTREL_SANITIZER_FLAGS})
  add_link_options(${PESTREL_SANITIZER_FLAGS})
endif()

# Our own code builds warning-free; third-party headers come in as SYSTEM
# includes so that their warnings (AGG's under C++20, for one) stay theirs.
function(pestrel_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# One GoogleTest executable per module, each test registered with CTest
# under a common environment and timeout. Tests run on the headless
# backends with the manual clock, so none of them needs long.
function(pestrel_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  pestrel_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      TIMEOUT 120
      ENVIRONMENT "PESTREL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1;SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
endfunction()
