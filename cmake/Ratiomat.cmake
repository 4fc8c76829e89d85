# Build rules shared by every folder.

option(RATIOMAT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# Warnings fail the build where nobody reads them: the presets ci, clang and
# asan (CMakePresets.json) turn this on, a developer's dev build only warns.
option(RATIOMAT_WERROR "Treat compiler warnings as errors" OFF)

# The gear arithmetic depends on exact IEEE rounding: these flags would change
# the results the program shows, so they are refused outright.
foreach(flag -ffast-math -Ofast -funsafe-math-optimizations)
  string(FIND "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_RELEASE} ${CMAKE_CXX_FLAGS_RELWITHDEBINFO}" "${flag}" pos)
  if(NOT pos EQUAL -1)
    message(FATAL_ERROR "${flag} changes the calculated results and must not be used")
  endif()
endforeach()

add_library(ratiomat_options INTERFACE)
# Headers are included by their folder ("chart/axis.h") from the source root.
# Which folder may include which is the dependency table in
# docs/architecture.md, checked by the test check_includes; each library
# links exactly the libraries that table gives it.
target_include_directories(ratiomat_options INTERFACE ${CMAKE_SOURCE_DIR})
target_compile_options(ratiomat_options INTERFACE
  -Wall -Wextra $<$<BOOL:${RATIOMAT_WERROR}>:-Werror> -fno-fast-math)
# Qt API deprecated up to 6.4 is compiled out, so a use of it fails the
# build. Qt 6.4 reads the older name, later versions the newer one. What a
# later Qt deprecates only warns about from 6.5 on (QT_WARN_DEPRECATED_UP_TO),
# so the program still builds with RATIOMAT_WERROR on a newer distribution.
target_compile_definitions(ratiomat_options INTERFACE
  QT_USE_QSTRINGBUILDER QT_DISABLE_DEPRECATED_UP_TO=0x060400 QT_DISABLE_DEPRECATED_BEFORE=0x060400
  QT_WARN_DEPRECATED_UP_TO=0x060400)
if(RATIOMAT_SANITIZE)
  target_compile_options(ratiomat_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(ratiomat_options INTERFACE -fsanitize=address,undefined)
endif()

# Seconds a test may run before CTest stops it and reports it as hung (a
# modal dialog nobody closes, for example). The sanitizer build runs several
# times slower and gets a longer limit.
if(RATIOMAT_SANITIZE)
  set(RATIOMAT_TEST_TIMEOUT 180 CACHE STRING "Seconds before a test counts as hung")
else()
  set(RATIOMAT_TEST_TIMEOUT 60 CACHE STRING "Seconds before a test counts as hung")
endif()

# ratiomat_add_test(<name> SOURCES <files...> LIBS <targets...> [XVFB])
# One Qt Test executable per suite, registered with CTest, run offscreen; an
# XVFB suite needs a real X server (the test script runs its label under
# xvfb-run).
# Qt's own watchdog stops a test function after the same limit and names it
# in the log.
function(ratiomat_add_test name)
  cmake_parse_arguments(T "XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ratiomat_options Qt6::Test ${T_LIBS})
  # Where a suite's reference pictures are kept and where it leaves what it saw.
  target_compile_definitions(${name} PRIVATE RATIOMAT_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    RATIOMAT_TEST_ARTIFACTS_DIR="${CMAKE_BINARY_DIR}/test-artifacts")
  add_test(NAME ${name} COMMAND ${name})
  math(EXPR watchdog_ms "${RATIOMAT_TEST_TIMEOUT} * 1000 - 5000")
  set(label offscreen)
  set(platform offscreen)
  if(T_XVFB)
    set(label xvfb)
    set(platform xcb)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT ${RATIOMAT_TEST_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=${platform};QTEST_FUNCTION_TIMEOUT=${watchdog_ms}")
endfunction()

# libFuzzer targets, built only with clang and -DRATIOMAT_FUZZ=ON. A target
# compiles the code under test into itself so all of it is instrumented.
option(RATIOMAT_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(RATIOMAT_FUZZ)
  add_custom_target(fuzzers)
endif()
function(ratiomat_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  # -O1 as libFuzzer advises: less inlining than the build type's -O2 keeps
  # the sanitizers' stack traces exact.
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -g -O1)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  add_dependencies(fuzzers ${name})
endfunction()

# ratiomat_add_stored_tables(<target> <file>): compiles a window's stored
# translator, kept beside the window, into the window's library as
# :/tables/<file>. Stored uncompressed: each start reads the main window's
# tables, and unpacking them cost more than the rest of reading them.
function(ratiomat_add_stored_tables target file)
  qt_add_resources(${target} ${target}_stored_tables PREFIX /tables OPTIONS --no-compress FILES ${file})
endfunction()

# ratiomat_add_checks(): a folder's tests/ (with BUILD_TESTING) and, when it
# has its own CMakeLists.txt, its fuzz/ (with RATIOMAT_FUZZ).
macro(ratiomat_add_checks)
  if(BUILD_TESTING AND IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/tests)
    add_subdirectory(tests)
  endif()
  if(RATIOMAT_FUZZ AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/CMakeLists.txt)
    add_subdirectory(fuzz)
  endif()
endmacro()
