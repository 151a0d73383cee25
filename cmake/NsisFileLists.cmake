# Writes the NSIS macros InstallFiles and UninstallFiles for the files of a
# deployed folder, for data/windows/kakemaru.nsi:
#   cmake -DDEPLOY_DIR=<folder> -DOUTPUT=<file.nsh> -P NsisFileLists.cmake
# The uninstaller removes these files and no others, so that a folder the
# user chose keeps whatever else it holds.
cmake_minimum_required(VERSION 3.25)

file(GLOB_RECURSE files RELATIVE "${DEPLOY_DIR}" LIST_DIRECTORIES false "${DEPLOY_DIR}/*")
if(NOT files)
  message(FATAL_ERROR "${DEPLOY_DIR} holds no files")
endif()
list(SORT files)

# A path inside the install folder, as NSIS writes it: backslashes, and $
# doubled so that NSIS takes it as itself.
function(nsis_path relative out)
  string(REPLACE "$" "$$" path "${relative}")
  string(REPLACE "/" "\\" path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(install "!macro InstallFiles\n")
set(uninstall "!macro UninstallFiles\n")
set(current_dir "-")
set(dirs)
foreach(file IN LISTS files)
  get_filename_component(dir "${file}" DIRECTORY)
  if(NOT dir STREQUAL current_dir)
    set(current_dir "${dir}")
    nsis_path("${dir}" windows_dir)
    if(dir)
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windows_dir}\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    endif()
    # The folder and each one above it, for removal once empty.
    while(dir AND NOT dir IN_LIST dirs)
      list(APPEND dirs "${dir}")
      get_filename_component(dir "${dir}" DIRECTORY)
    endwhile()
  endif()
  string(REPLACE "$" "$$" source "${DEPLOY_DIR}/${file}")
  string(APPEND install "  File \"${source}\"\n")
  nsis_path("${file}" windows_file)
  string(APPEND uninstall "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# Inner folders before the ones that hold them.
list(SORT dirs ORDER DESCENDING)
foreach(dir IN LISTS dirs)
  nsis_path("${dir}" windows_dir)
  string(APPEND uninstall "  RMDir \"$INSTDIR\\${windows_dir}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND uninstall "!macroend\n")

file(WRITE "${OUTPUT}" "; Made by NsisFileLists.cmake from ${DEPLOY_DIR}\n${install}${uninstall}")
