# Build rules shared by every target of our own.

option(PESTREL_SANITIZE_THREAD
       "Build with ThreadSanitizer (in place of PESTREL_SANITIZE, which it cannot join)" OFF)
if(PESTREL_SANITIZE AND PESTREL_SANITIZE_THREAD)
  message(FATAL_ERROR "PESTREL_SANITIZE and PESTREL_SANITIZE_THREAD need separate builds")
endif()

if(PESTREL_SANITIZE)
  set(PESTREL_SANITIZER_FLAGS
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${PESTREL_SANITIZER_FLAGS})
  add_link_options(${PESTREL_SANITIZER_FLAGS})
endif()
if(PESTREL_SANITIZE_THREAD)
  set(PESTREL_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${PESTREL_SANITIZER_FLAGS})
  add_link_options(${PESTREL_SANITIZER_FLAGS})
endif()

# ThreadSanitizer and processor-specific clones: the loader runs the
# resolver of a target_clones function while it relocates the program,
# before the ThreadSanitizer runtime has started, and a resolver with the
# sanitizer's function entry and exit hooks crashes there. Files that use
# target_clones are built without those hooks (their own frames are then
# missing from race reports; every other file keeps them).
function(_pestrel_tsan_clone_sources target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(folder ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()
    endif()
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${folder}/${source}")
    endif()
    if(NOT source MATCHES "\\.(c|cc|cpp|cxx)$" OR NOT EXISTS "${source}")
      continue()
    endif()
    file(STRINGS "${source}" clones REGEX "target_clones" LIMIT_COUNT 1)
    if(clones)
      set_property(SOURCE "${source}" TARGET_DIRECTORY ${target} APPEND PROPERTY
                   COMPILE_OPTIONS --param=tsan-instrument-func-entry-exit=0)
    endif()
  endforeach()
endfunction()

# Our own code builds warning-free; third-party headers come in as SYSTEM
# includes so that their warnings (AGG's under C++20, for one) stay theirs.
function(pestrel_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(PESTREL_SANITIZE_THREAD)
    # Once every folder has added its sources. A deferred call reads its
    # arguments when it runs, so the target's name is written into it now.
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
                                             CALL _pestrel_tsan_clone_sources [[${target}]])")
  endif()
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
      # One variable only: a list here is cut at its first separator on the
      # way through test discovery. The SDL drivers for tests are set by
      # test.sh.
      ENVIRONMENT "PESTREL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
