# Shared build settings: output layout of the application folder, warnings,
# and the helpers that register tests with their deliverable's label.

# The runnable application folder. Programs sit at its top, shared libraries
# in lib/, the GStreamer plugin in lib/gstreamer-1.0/.
set(KF_APP_DIR ${CMAKE_BINARY_DIR}/AppFolder)
set(KF_APP_LIB_DIR ${KF_APP_DIR}/lib)
set(KF_APP_PLUGIN_DIR ${KF_APP_LIB_DIR}/gstreamer-1.0)
file(MAKE_DIRECTORY ${KF_APP_DIR} ${KF_APP_LIB_DIR} ${KF_APP_PLUGIN_DIR})

# Install layout: the application folder lives below <prefix>/lib/kinfolio.
set(KF_INSTALL_APP_DIR ${CMAKE_INSTALL_LIBDIR}/kinfolio)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)

add_library(kf_warnings INTERFACE)
target_compile_options(kf_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)

# Programs placed in the application folder find their libraries in lib/.
function(kf_app_program target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${KF_APP_DIR}
    BUILD_RPATH "$ORIGIN/lib"
    INSTALL_RPATH "$ORIGIN/lib")
  install(TARGETS ${target} RUNTIME DESTINATION ${KF_INSTALL_APP_DIR})
endfunction()

# Shared libraries of the deliverables go to AppFolder/lib.
function(kf_app_library target)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${KF_APP_LIB_DIR}
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target} LIBRARY DESTINATION ${KF_INSTALL_APP_DIR}/lib)
endfunction()

# Environment every test runs in: no display needed, a private GStreamer
# registry (a plugin that failed once stays blacklisted in a shared cache),
# the application folder's plugin directory.
set(KF_TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${KF_TEST_RUNTIME_DIR})
file(CHMOD ${KF_TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(KF_TEST_ENV
  "QT_QPA_PLATFORM=offscreen"
  "XDG_RUNTIME_DIR=${KF_TEST_RUNTIME_DIR}"
  "GST_REGISTRY=${CMAKE_BINARY_DIR}/gst-registry.bin"
  "GST_PLUGIN_PATH=${KF_APP_PLUGIN_DIR}"
  "KF_APP_DIR=${KF_APP_DIR}"
  "KF_SOURCE_DIR=${CMAKE_SOURCE_DIR}")

# kf_add_test(<name> LABEL <deliverable> SOURCES ... [LIBS ...] [ENV ...]
#             [GTEST] [TIMEOUT s])
# One CTest test per executable, labelled with its deliverable
# (kinfolio, capture, grab, renovo, sheen). GTEST links gtest_main (a test source with its own main() takes precedence).
function(kf_add_test name)
  cmake_parse_arguments(T "GTEST" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT KINFOLIO_BUILD_TESTS)
    return()
  endif()
  if(NOT T_LABEL)
    message(FATAL_ERROR "kf_add_test(${name}): LABEL is required")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kf_warnings ${T_LIBS})
  if(T_GTEST)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
  endif()
  set_target_properties(${name} PROPERTIES BUILD_RPATH "${KF_APP_LIB_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${KF_TEST_ENV};${T_ENV}")
endfunction()

# kf_add_bench(<name> SOURCES ... [LIBS ...]) -- Google Benchmark executable in bench/.
function(kf_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT KINFOLIO_BUILD_BENCH)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE kf_warnings benchmark::benchmark ${B_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench
    BUILD_RPATH "${KF_APP_LIB_DIR}")
endfunction()
