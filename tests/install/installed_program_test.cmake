# Installs the built program into a fresh prefix, then checks that the installed program starts
# from another folder and that its program folder (the prefix's bin) holds its reader and
# workbooks, which open from there. Run by CTest:
#   cmake -D BUILD_DIR=... -D PROBE=... -P installed_program_test.cmake
set(temp "$ENV{TMPDIR}")
if(NOT temp)
  set(temp "/tmp")
endif()
string(RANDOM LENGTH 12 suffix)
set(work "${temp}/stelvador_install_${suffix}")
set(prefix "${work}/prefix")

function(fail message)
  file(REMOVE_RECURSE "${work}")
  message(FATAL_ERROR "${message}")
endfunction()

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("cmake --install failed: ${output}")
endif()

foreach(file "stelvador" "stelvador-xls-reader" "Output.xlsx" "Edit Excel File/Stelvador.xlsx"
             "Edit Excel File/Stelvador.xls")
  if(NOT EXISTS "${prefix}/bin/${file}")
    fail("not installed: bin/${file}")
  endif()
endforeach()

# The workbooks open from the installed program folder, found from the executable's place.
file(COPY "${PROBE}" DESTINATION "${prefix}/bin")
get_filename_component(probe_name "${PROBE}" NAME)
execute_process(COMMAND "${prefix}/bin/${probe_name}" WORKING_DIRECTORY "${work}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("the installed workbooks do not open: ${output}")
endif()

# The installed program starts from another folder and keeps running (its window open) until
# it is stopped. Its runtime folder is given, or Qt would leave one in the temporary folder.
set(runtime "${work}/runtime")
file(MAKE_DIRECTORY "${runtime}")
file(CHMOD "${runtime}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                        "XDG_RUNTIME_DIR=${runtime}" "${prefix}/bin/stelvador"
                WORKING_DIRECTORY "${work}" TIMEOUT 3
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result MATCHES "timeout")
  fail("the installed program did not keep running (${result}): ${output}")
endif()

file(REMOVE_RECURSE "${work}")
