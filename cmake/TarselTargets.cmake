# Helpers that keep the layering honest.

# Headers that the toolkit-free core must never include; the poison folder shadows them so that a
# wrong include is a compile error in core code (Qt headers are simply not on the core's path).
set(TARSEL_POISON_DIR ${CMAKE_CURRENT_LIST_DIR}/poison)

# tarsel_core_library(NAME SOURCES ... [DEPS ...])
# A core library: standard library only, may depend on other core libraries and Threads.
function(tarsel_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_include_directories(${name} BEFORE PRIVATE ${TARSEL_POISON_DIR})
  foreach(dep IN LISTS ARG_DEPS)
    if(NOT dep MATCHES "^tarsel_core_" AND NOT dep STREQUAL "Threads::Threads")
      message(FATAL_ERROR "core library ${name} may not link ${dep}")
    endif()
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tarsel_add_test(NAME SOURCES ... [LIBS ...] [LABELS ...])
# A GoogleTest executable kept out of the program folder, its cases registered with CTest.
function(tarsel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TARSEL_PROGRAM_DIR="${TARSEL_PROGRAM_DIR}/"
    TARSEL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data/")
  set(labels ${ARG_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  if("threads" IN_LIST labels)
    set_property(GLOBAL APPEND PROPERTY TARSEL_THREAD_TEST_TARGETS ${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${labels}" TIMEOUT 120)
endfunction()
