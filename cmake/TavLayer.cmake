# tav_add_layer(<target> <folder> [QT] [DEPS <targets>...])
# One static library per layer folder, its sources found by glob so that adding a
# file needs no CMake edit. A folder without sources yet becomes an interface target.
function(tav_add_layer target dir)
  cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  set(deps ${A_DEPS})
  if(A_QT)
    list(APPEND deps Qt6::Widgets Qt6::PrintSupport)
  endif()
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${deps})
    if(A_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${deps})
  endif()
endfunction()

# tav_add_tests(<folder under tests/> <deps>...): one GoogleTest executable per folder. Its
# test suites named "...Zeitgrenze" are left to tav_add_timed_tests.
function(tav_add_tests dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  string(REPLACE "/" "_" name "tests_${dir}")
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock tav_testsupport)
  # Tests write window grabs and pictures here for anyone to look at.
  target_compile_definitions(${name} PRIVATE TAV_SCREENS_DIR="${CMAKE_BINARY_DIR}/screens"
    TAV_LANG_DIR="${CMAKE_SOURCE_DIR}/resources/lang")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-*Zeitgrenze.*"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAV_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()

# tav_add_timed_tests(<folder under tests/> <suite> <seconds>): the test suite <suite> (named
# "...Zeitgrenze") of the folder's executable as one CTest test that fails when it runs longer
# than <seconds>: a bound on work that no assertion in the test measures.
function(tav_add_timed_tests dir suite seconds)
  string(REPLACE "/" "_" name "tests_${dir}")
  add_test(NAME ${suite} COMMAND ${name} --gtest_filter=${suite}.*)
  set_tests_properties(${suite} PROPERTIES TIMEOUT ${seconds}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAV_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()
