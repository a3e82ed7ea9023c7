# Runs one session file with the Linux layout-sim and with the Windows
# layout-sim.exe under Wine, each in a folder of its own, and fails unless
# both exit alike and write the same bytes: standard output, standard error
# and every file the session saves.
#   LINUX_SIM  the Linux program
#   WINDOWS_SIM  the Windows program; EMULATOR runs it ("|" between words)
#   SESSION  the session file; WORK  a scratch folder
if(NOT EXISTS "${LINUX_SIM}")
  message(FATAL_ERROR "no Linux layout-sim at ${LINUX_SIM}: build the default preset first")
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
get_filename_component(sessionName "${SESSION}" NAME)

function(run_session system)
  set(dir "${WORK}/${system}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  file(COPY "${SESSION}" DESTINATION "${dir}")
  execute_process(COMMAND ${ARGN} session ${sessionName} WORKING_DIRECTORY "${dir}"
    RESULT_VARIABLE status OUTPUT_FILE "${dir}.stdout" ERROR_FILE "${dir}.stderr")
  set(${system}_status "${status}" PARENT_SCOPE)
endfunction()

run_session(linux "${LINUX_SIM}")
run_session(windows ${emulator} "${WINDOWS_SIM}")
if(NOT linux_status STREQUAL windows_status)
  message(FATAL_ERROR "exit status ${linux_status} on Linux, ${windows_status} on Windows")
endif()

function(expect_same linuxFile windowsFile)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${linuxFile}" "${windowsFile}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${windowsFile} differs from ${linuxFile}")
  endif()
endfunction()

expect_same("${WORK}/linux.stdout" "${WORK}/windows.stdout")
expect_same("${WORK}/linux.stderr" "${WORK}/windows.stderr")
file(GLOB_RECURSE linuxFiles RELATIVE "${WORK}/linux" "${WORK}/linux/*")
file(GLOB_RECURSE windowsFiles RELATIVE "${WORK}/windows" "${WORK}/windows/*")
if(NOT linuxFiles STREQUAL windowsFiles)
  message(FATAL_ERROR "the sessions left different files: [${linuxFiles}] and [${windowsFiles}]")
endif()
foreach(name IN LISTS linuxFiles)
  expect_same("${WORK}/linux/${name}" "${WORK}/windows/${name}")
endforeach()
file(READ "${WORK}/linux.stdout" output)
string(LENGTH "${output}" length)
message(STATUS "same ${length} bytes of output and the same files: ${linuxFiles}")
