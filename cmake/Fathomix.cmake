# One static library per folder; includes are written from the repository
# root ("rtl/Strings.h"), so every library exports the root.
function(fathomix_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(A_SOURCES)
    add_library(${name} STATIC ${A_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# The tests of a library: one executable per library, run by CTest headless
# and under a fixed neutral locale (tests that need another locale set it).
function(fathomix_tests name)
  if(NOT FATHOMIX_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_executable(${name}_tests ${A_SOURCES})
  target_link_libraries(${name}_tests PRIVATE ${name} ${A_DEPS} GTest::gtest GTest::gtest_main)
  # Test code is mostly assertion macros: optimising it hard costs build time
  # and buys nothing; the libraries under test keep their own optimisation.
  target_compile_options(${name}_tests PRIVATE -O1)
  add_test(NAME ${name} COMMAND ${name}_tests)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FATHOMIX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
    TIMEOUT ${A_TIMEOUT})
endfunction()

# A library folder: every .cpp of the folder is the library, every .cpp of
# tests/ its test executable. TEST_SOURCES adds fixtures that live beside
# another folder's tests (paths from the repository root).
function(fathomix_folder name)
  cmake_parse_arguments(A "" "TIMEOUT" "DEPS;TEST_DEPS;TEST_SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  fathomix_library(${name} SOURCES ${srcs} DEPS ${A_DEPS})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(tests)
    list(TRANSFORM A_TEST_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/")
    fathomix_tests(${name} SOURCES ${tests} ${A_TEST_SOURCES} DEPS ${A_TEST_DEPS} TIMEOUT ${A_TIMEOUT})
  endif()
endfunction()
