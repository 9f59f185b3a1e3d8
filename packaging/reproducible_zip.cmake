# Run by CPack once it has written the archive: writes it again from the same staged files so
# that two runs over the same input give the same bytes. CPack's own zip (libarchive through
# CMake 3.25) lists the files in the order the file system returns them and records each file's
# access and change times, which no option of it fixes and the kernel sets anew in every run.
# Info-ZIP's zip, given the files in sorted order and told to leave out those extra fields
# (-X), keeps only the modification time, which is set here first.
#
# The time is SOURCE_DATE_EPOCH's (tools/release.sh sets it to the last commit's time), or the
# moment of this run without it: string(TIMESTAMP) reads that variable itself. A zip entry keeps
# it as a local time, so zip runs in UTC.
string(TIMESTAMP fixed_time "%s" UTC)
find_program(touch_program touch REQUIRED)
find_program(zip_program zip REQUIRED)
get_filename_component(stage_parent "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
file(GLOB_RECURSE entries RELATIVE "${stage_parent}" "${CPACK_TEMPORARY_DIRECTORY}/*")
if(NOT entries)
  message(FATAL_ERROR "nothing staged in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
execute_process(COMMAND ${touch_program} -d @${fixed_time} -- ${entries}
  WORKING_DIRECTORY "${stage_parent}" RESULT_VARIABLE touched)
if(NOT touched EQUAL 0)
  message(FATAL_ERROR "could not set the times of the files staged in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE "${archive}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${zip_program} -q -X -D "${archive}" -- ${entries}
    WORKING_DIRECTORY "${stage_parent}" RESULT_VARIABLE written)
  if(NOT written EQUAL 0)
    message(FATAL_ERROR "could not write ${archive}")
  endif()
endforeach()
