# One interface target carries the compile settings every component shares.
add_library(kor_settings INTERFACE)
target_compile_features(kor_settings INTERFACE cxx_std_20)
set_target_properties(kor_settings PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(kor_settings INTERFACE -Wall -Wextra -Wshadow -Wold-style-cast)
if(KOR_WERROR)
  target_compile_options(kor_settings INTERFACE -Werror)
endif()
target_compile_definitions(kor_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)

if(KOR_SANITIZE)
  target_compile_options(kor_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kor_settings INTERFACE -fsanitize=address,undefined)
endif()

if(KOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KOR_FUZZ needs clang (CXX=clang++)")
  endif()
  target_compile_options(kor_settings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(kor_settings INTERFACE -fsanitize=address,undefined)
endif()

# Adds a GoogleTest executable whose tests ctest runs one by one.
# Usage: kor_add_test(NAME sources... LIBS libs...)
function(kor_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE kor_settings ${ARG_LIBS} kor_gui_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE kor_settings ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  endif()
  target_compile_definitions(${name} PRIVATE
    KOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KOR_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    # One value per property: the test discovery splits a list at its semicolons.
    PROPERTIES ENVIRONMENT "KOR_RESOURCES=${CMAKE_BINARY_DIR}/bin/resources"
               ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen")
endfunction()
