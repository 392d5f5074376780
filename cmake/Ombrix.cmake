# Project helpers: one static library per folder, one test program per test folder.

function(ombrix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 reports impossible overlaps inside std::string concatenation at -O3 (a known
  # false positive of its -Wrestrict); the warning finds nothing real in this code base.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(OMBRIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# ombrix_library(name [DIR folder] DEPS libs...): builds src/<name>/*.cpp (or DIR) into a static library.
function(ombrix_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR src/${name})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${ARG_DIR}/*.cpp)
  if(NOT sources)
    # A folder still empty builds an empty library so that the layering stays declared.
    set(sources ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    file(WRITE ${sources} "")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  target_compile_definitions(${name} PUBLIC QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
  ombrix_warnings(${name})
endfunction()

# Test programs compile without optimisation: they are most of the build and gain nothing from
# it, while the libraries they test keep the build type's flags.
set(OMBRIX_TEST_OPTIONS "-O0;-g0" CACHE STRING "Compile options of the test programs")
function(ombrix_test_options target)
  target_compile_options(${target} PRIVATE ${OMBRIX_TEST_OPTIONS})
endfunction()

# Tests never touch the user's settings: HOME and the XDG folders point into the build tree.
set(OMBRIX_TEST_HOME ${CMAKE_BINARY_DIR}/testhome)
set(OMBRIX_TEST_ENV
    HOME=${OMBRIX_TEST_HOME}
    XDG_CONFIG_HOME=${OMBRIX_TEST_HOME}/config
    XDG_DATA_HOME=${OMBRIX_TEST_HOME}/data
    XDG_CACHE_HOME=${OMBRIX_TEST_HOME}/cache
    XDG_RUNTIME_DIR=${OMBRIX_TEST_HOME}/runtime
    QT_QPA_PLATFORM=offscreen
    OMBRIX_BUILD_DIR=${CMAKE_BINARY_DIR})

# ombrix_gtest(folder DEPS libs... [LABELS ...]): tests/<folder>/*.cpp as one GoogleTest program.
function(ombrix_gtest folder)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  # Four test files per compilation: the test framework's headers, most of a test file's
  # compile time, are then read once per four files.
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 4)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  ombrix_warnings(${target})
  ombrix_test_options(${target})
  add_test(NAME ${folder} COMMAND ${target} --gtest_brief=1)
  if(NOT ARG_LABELS)
    set(ARG_LABELS core)
  endif()
  set_tests_properties(${folder} PROPERTIES ENVIRONMENT "${OMBRIX_TEST_ENV}" LABELS "${ARG_LABELS}"
                                            TIMEOUT 600)
endfunction()

# ombrix_qtest(folder DEPS libs...): every tests/<folder>/*.cpp is one Qt Test program on the offscreen platform.
function(ombrix_qtest folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  foreach(source ${sources})
    get_filename_component(base ${source} NAME_WE)
    set(target test_${folder}_${base})
    add_executable(${target} ${source})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} Qt6::Test)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    ombrix_warnings(${target})
    ombrix_test_options(${target})
    add_test(NAME ${folder}_${base} COMMAND ${target})
    set_tests_properties(${folder}_${base} PROPERTIES ENVIRONMENT "${OMBRIX_TEST_ENV}" LABELS ${folder}
                                                      TIMEOUT 600)
  endforeach()
endfunction()

# ombrix_aide(target source): the program's help source (tools/aide/Aide.h tells its layout) made
# into the text of its --help, the header TexteAide.h that the program includes, and into its
# manual page man/<target>.1 in the build tree. The program also gets OMBRIX_VERSION, the
# project's version, for its --version.
function(ombrix_aide target source)
  set(dossier ${CMAKE_BINARY_DIR}/aide/${target})
  set(entete ${dossier}/TexteAide.h)
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1)
  add_custom_command(
    OUTPUT ${entete} ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dossier} ${CMAKE_BINARY_DIR}/man
    COMMAND ombrix_aide ${source} "${PROJECT_NAME} ${PROJECT_VERSION}" ${entete} ${page}
    DEPENDS ombrix_aide ${source}
    COMMENT "Help text and manual page of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${entete})
  target_include_directories(${target} PRIVATE ${dossier})
  target_compile_definitions(${target} PRIVATE OMBRIX_VERSION="${PROJECT_VERSION}")
endfunction()
