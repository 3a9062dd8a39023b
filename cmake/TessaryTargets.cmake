# One static library per source folder, so the folders' layering is enforced by the
# build: a folder can use only what it lists as a dependency. Every .cpp in the folder
# belongs to it.
#
#   tessary_folder_library(<folder> [DEPS targets...])   -> target tessary_<folder>
function(tessary_folder_library folder)
  cmake_parse_arguments(arg "" "" "DEPS" ${ARGN})
  string(REPLACE "/" "_" target_suffix "${folder}")
  set(target tessary_${target_suffix})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PRIVATE tessary_warnings)
    set(usage PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(usage INTERFACE)
  endif()
  target_include_directories(${target} ${usage} ${PROJECT_SOURCE_DIR}/src)
  if(arg_DEPS)
    target_link_libraries(${target} ${usage} ${arg_DEPS})
  endif()
endfunction()

# Test programs: one per folder below tests/<kind>/, named tessary_<kind>_<folder>.
# Natively they carry the label <kind>; cross-built for Windows they run under Wine and
# carry the label `wine`.
#
#   tessary_test_program(<kind> <folder> LIBS targets...)
function(tessary_test_program kind folder)
  cmake_parse_arguments(arg "" "LABEL" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${kind}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target tessary_${kind}_${folder})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${arg_LIBS} tessary_gtest_main tessary_warnings)
  if(arg_LABEL)
    set(label ${arg_LABEL})
  elseif(CMAKE_CROSSCOMPILING)
    set(label wine)
  else()
    set(label ${kind})
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Under Wine every process start costs about a second: one test per program.
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${target} PROPERTIES LABELS ${label} TIMEOUT 900)
  else()
    # Natively each test case runs in a process of its own, so one case can neither
    # hide nor cause another's failure, and ctest reports them one by one.
    include(GoogleTest)
    gtest_discover_tests(${target} PROPERTIES LABELS ${label} TIMEOUT 300
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
