# Every .cpp (and .c) directly in the given folders; a subsystem may be one
# folder or a list of its rooms.
function(morvo_sources out dirs)
  set(_all)
  foreach(_d IN LISTS dirs)
    file(GLOB _s CONFIGURE_DEPENDS ${_d}/*.cpp ${_d}/*.c)
    list(APPEND _all ${_s})
  endforeach()
  set(${out} ${_all} PARENT_SCOPE)
endfunction()

# One static library per subsystem folder (or list of room folders), made of
# every .cpp in it. A folder with no sources yet becomes an interface library
# so the dependency graph stays the same while it fills up.
function(morvo_library name dir)
  morvo_sources(_sources "${dir}")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${dir})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${dir})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One test executable per subsystem folder under tests/. Each test takes one
# X display from the runner's pool (tools/run-tests.sh), so tests that open a
# window never share a server with another test running at the same time.
function(morvo_test_suite name dir)
  morvo_sources(_sources "${dir}")
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE ${ARGN} test_support GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    PROPERTIES RESOURCE_GROUPS "display:1")
endfunction()
