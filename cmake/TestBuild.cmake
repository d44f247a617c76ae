# The test build of a module: the same program under the same file name, in build/win/testbin/,
# with the test hooks compiled in (VELMORA_TEST_HOOKS: the VELMORA_NOW clock and the window's
# query messages). The shipped module, the one in dist/ that the packages and the run command
# take, has none of them. The tests that need a hook run the test build.
#
#   velmora_test_build(<target> [HOOKED <sources...>] [HOOK_OBJECTS <object libraries...>])
#
# Called where <target> is made, after its last source. Its sources other than the HOOKED ones
# are compiled once, into an object library that both builds link, so the test build costs
# only the HOOKED sources (compiled once more, with the define) and a link. HOOK_OBJECTS are
# object libraries of hooked sources of the static libraries, built with the define: objects
# come before the libraries on the link line, so the linker takes their definitions and never
# the shipped ones of the same names from the libraries.
function(velmora_test_build target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HOOKED;HOOK_OBJECTS")
  get_target_property(sources ${target} SOURCES)
  set(shared "")
  set(own "")
  foreach(source ${sources})
    if(source MATCHES "\\.def$" OR source IN_LIST arg_HOOKED)
      list(APPEND own ${source})
    else()
      list(APPEND shared ${source})
    endif()
  endforeach()
  get_target_property(libraries ${target} LINK_LIBRARIES)
  if(NOT libraries)
    set(libraries "")
  endif()

  add_library(${target}_shared_objects OBJECT ${shared})
  target_link_libraries(${target}_shared_objects PRIVATE ${libraries})
  set(test ${target}_test)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    add_executable(${test} ${own})
  else()
    add_library(${test} SHARED ${own})
  endif()
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS LINK_OPTIONS WIN32_EXECUTABLE
                   OUTPUT_NAME PREFIX SUFFIX)
    get_target_property(value ${target} ${property})
    if(NOT value STREQUAL "value-NOTFOUND")
      set_property(TARGET ${test} PROPERTY ${property} "${value}")
      if(property MATCHES "^(INCLUDE_DIRECTORIES|COMPILE_DEFINITIONS|COMPILE_OPTIONS)$")
        set_property(TARGET ${target}_shared_objects PROPERTY ${property} "${value}")
      endif()
    endif()
  endforeach()
  get_target_property(dependencies ${target} MANUALLY_ADDED_DEPENDENCIES)
  if(dependencies)
    add_dependencies(${target}_shared_objects ${dependencies})
    add_dependencies(${test} ${dependencies})
  endif()
  set_property(TARGET ${target} PROPERTY SOURCES ${own})
  target_link_libraries(${target} PRIVATE ${target}_shared_objects)
  target_link_libraries(${test} PRIVATE ${target}_shared_objects ${arg_HOOK_OBJECTS} ${libraries})
  target_compile_definitions(${test} PRIVATE VELMORA_TEST_HOOKS)
  set_target_properties(${test} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin
                        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin/lib)
endfunction()
