# skyvane_add_test(NAME SOURCES... LIBS...) — one GoogleTest executable under CTest.
function(skyvane_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    SKYVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    SKYVANE_BINARY_DIR="${PROJECT_BINARY_DIR}"
    SKYVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${T_ENV}")
endfunction()

# skyvane_add_layer(NAME [DEPENDS LAYER...]) — the static library skyvane_NAME of
# the folder src/core/NAME, linked to the layers it builds on.
#
# The layers are kept apart by their include folders, not by review: src/ is no
# include folder of any layer. Each layer has an include root of its own in the
# build tree that holds a single link, core/NAME -> src/core/NAME, and hands it
# on (PUBLIC) to whatever links the layer. A layer's sources therefore find
# "core/<folder>/..." only for their own folder and the layers below them; an
# include of a higher layer's header stops the build with "No such file". The
# links keep every include written as "core/<folder>/<file>.h", as the front
# ends and tests (which see all of src/) write it. No Qt package is found
# before the layers are defined and none is linked to them, so the core cannot
# include or link Qt either.
function(skyvane_add_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  set(folder ${PROJECT_SOURCE_DIR}/src/core/${name})
  set(root ${PROJECT_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root}/core)
  file(CREATE_LINK ${folder} ${root}/core/${name} SYMBOLIC)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  add_library(skyvane_${name} STATIC ${sources})
  target_include_directories(skyvane_${name} PUBLIC ${root})
  # Every layer this one may include: itself and all it builds on, directly or not.
  set(reach ${name})
  foreach(dep ${L_DEPENDS})
    if(NOT TARGET skyvane_${dep})
      message(FATAL_ERROR "Layer ${name} builds on ${dep}, which is not defined before it")
    endif()
    target_link_libraries(skyvane_${name} PUBLIC skyvane_${dep})
    get_property(dep_reach GLOBAL PROPERTY SKYVANE_LAYER_REACH_${dep})
    list(APPEND reach ${dep_reach})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(GLOBAL PROPERTY SKYVANE_LAYER_REACH_${name} ${reach})
  set_property(GLOBAL APPEND PROPERTY SKYVANE_LAYERS ${name})
endfunction()
