# Installs what kakemaru.exe needs beside it on Windows, run by
# `cmake --install` (see WindowsInstaller.cmake), which sets:
#   program         the built kakemaru.exe
#   plugins         the Qt plugins it needs, each in a folder named by its type
#   translations    Qt's .qm files to ship
#   dll_dirs        where the DLLs it loads are found
#   import_lib_dir  the MinGW sysroot's import libraries of Windows' DLLs
#   objdump, strip  the cross binutils
#   bin_dir         the folder the program is installed in
cmake_policy(VERSION 3.25)

# Every DLL the program and the plugins load, and theirs in turn, from the
# import tables. (file(GET_RUNTIME_DEPENDENCIES) lowercases the names, and
# then finds no Qt6Core.dll on a Linux file system.)
set(shipped)
set(pending "${program}" ${plugins})
while(pending)
  list(POP_FRONT pending module)
  execute_process(COMMAND "${objdump}" --private-headers "${module}"
    OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" dll "${import}")
    string(STRIP "${dll}" dll)
    if(dll MATCHES "^(api|ext)-ms-win-")
      continue()  # an API set, which Windows resolves itself
    endif()
    set(found)
    foreach(dir IN LISTS dll_dirs)
      if(EXISTS "${dir}/${dll}")
        set(found "${dir}/${dll}")
        break()
      endif()
    endforeach()
    if(found)
      if(NOT found IN_LIST shipped)
        list(APPEND shipped "${found}")
        list(APPEND pending "${found}")
      endif()
      continue()
    endif()
    # What is not shipped must come with Windows; anything else would make
    # a program that does not start.
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.[a-z]+$" "" name "${name}")
    if(NOT EXISTS "${import_lib_dir}/lib${name}.a")
      message(FATAL_ERROR "${module} needs ${dll}, which is neither found nor part of Windows")
    endif()
  endforeach()
endwhile()

file(INSTALL ${shipped} DESTINATION "${bin_dir}")
foreach(plugin IN LISTS plugins)
  get_filename_component(plugin_dir "${plugin}" DIRECTORY)
  get_filename_component(plugin_type "${plugin_dir}" NAME)
  file(INSTALL "${plugin}" DESTINATION "${bin_dir}/${plugin_type}")
endforeach()
# Qt looks for its translations in translations/ beside the program when
# its DLLs are there too.
file(INSTALL ${translations} DESTINATION "${bin_dir}/translations")

# Debug information makes up half of the DLLs (libstdc++ 23 MB, 2 MB without).
if(CMAKE_INSTALL_DO_STRIP)
  file(GLOB_RECURSE dlls "${bin_dir}/*.dll")
  foreach(dll IN LISTS dlls)
    execute_process(COMMAND "${strip}" --strip-unneeded "${dll}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
