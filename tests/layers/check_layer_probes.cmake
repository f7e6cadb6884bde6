# Builds every layer probe (cmake -P, with BUILD_DIR and PROBES, a "|"-separated
# list of target:header) and fails unless each one fails to build because its
# header of a higher or unrelated layer is not found.
string(REPLACE "|" ";" probes "${PROBES}")
set(wrong "")
foreach(probe IN LISTS probes)
  string(REPLACE ":" ";" parts "${probe}")
  list(GET parts 0 target)
  list(GET parts 1 header)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0)
    string(APPEND wrong "${target}: ${header} was found\n")
  elseif(NOT out MATCHES "${header}(: No such file or directory|' file not found)")
    string(APPEND wrong "${target}: failed for another reason than ${header}:\n${out}\n")
  endif()
endforeach()
list(LENGTH probes count)
if(wrong)
  message(FATAL_ERROR "Includes that point up the layers:\n${wrong}")
endif()
message(STATUS "${count} includes of layers not built on: none found")
