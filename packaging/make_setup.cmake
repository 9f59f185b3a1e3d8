# Makes the setup program (target tessarin_setup): installs the build into a staging folder by
# the same install rules as the release archive, lists the staged files for the setup script
# (what to copy and, for the uninstaller, what to delete), and runs makensis on tessarin.nsi.
# Called with -P and these variables: BUILD_DIR, STAGE, SCRIPT, OUTFILE, VERSION, PLATFORM,
# PUBLISHER, ICON and, when the project has one, LICENSE.
find_program(makensis_program makensis)
if(NOT makensis_program)
  message(FATAL_ERROR "makensis is missing: install NSIS (Debian package nsis)")
endif()

file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${STAGE}"
  RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "could not stage the program in ${STAGE}")
endif()

# Sorted, so that the setup's bytes do not depend on the order the file system lists them in.
file(GLOB_RECURSE staged RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT staged)
set(install_lines "")
set(remove_lines "")
set(folders "")
set(current_folder "-")
foreach(path IN LISTS staged)
  get_filename_component(folder "${path}" DIRECTORY)
  string(REPLACE "/" "\\" windows_path "${path}")
  if(NOT folder STREQUAL current_folder)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(folder STREQUAL "")
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders "${windows_folder}")
    endif()
    set(current_folder "${folder}")
  endif()
  string(APPEND install_lines "  File \"${STAGE}/${path}\"\n")
  string(APPEND remove_lines "  Delete \"$INSTDIR\\${windows_path}\"\n")
endforeach()
# Deepest first; RMDir without /r leaves a folder that still holds a file of the user's.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(APPEND remove_lines "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
get_filename_component(lists_file "${OUTFILE}" DIRECTORY)
set(lists_file "${lists_file}/program_files.nsh")
file(WRITE "${lists_file}"
  "!macro InstallProgramFiles\n${install_lines}!macroend\n"
  "!macro RemoveProgramFiles\n${remove_lines}!macroend\n")

set(defines -DVERSION=${VERSION} -DPLATFORM=${PLATFORM} "-DPUBLISHER=${PUBLISHER}"
  -DICON=${ICON} -DOUTFILE=${OUTFILE} -DPROGRAM_FILES=${lists_file})
if(LICENSE)
  list(APPEND defines -DLICENSE=${LICENSE})
endif()
execute_process(COMMAND ${makensis_program} -V2 -WX ${defines} "${SCRIPT}" RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "makensis could not make ${OUTFILE}")
endif()
