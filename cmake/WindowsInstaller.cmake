# The Windows program as a folder that runs on its own, and its installer.
#
# `cmake --install` puts beside kakemaru.exe every DLL it loads from Qt and
# MinGW, the Qt plugins it needs (platforms/, styles/) and Qt's Japanese
# translations, in the layout Qt finds without a qt.conf
# (WindowsDeploy.cmake). The target `installer` installs a stripped copy
# into deploy/ in the build folder and packs it with NSIS
# (data/windows/kakemaru.nsi) into kakemaru-<version>-setup.exe beside it.

find_program(MAKENSIS makensis REQUIRED)
set(windows_data ${CMAKE_CURRENT_LIST_DIR}/../data/windows)
include(WindowsRuntimeFiles)

# Where the DLLs come from: Qt's bin folder and the folders of MinGW's
# runtime DLLs. Windows' own DLLs are those with an import library in the
# sysroot.
get_target_property(qt_core_dll Qt6::Core LOCATION)
get_filename_component(qt_bin_dir ${qt_core_dll} DIRECTORY)
set(dll_dirs ${qt_bin_dir})
foreach(dll ${kakemaru_mingw_dlls})
  get_filename_component(dir ${dll} DIRECTORY)
  list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libkernel32.a
  OUTPUT_VARIABLE kernel32 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(import_lib_dir ${kernel32} DIRECTORY)
get_filename_component(import_lib_dir ${import_lib_dir} REALPATH)
set(plugin_files)
foreach(plugin ${kakemaru_qt_plugins})
  list(APPEND plugin_files \"$<TARGET_FILE:${plugin}>\")
endforeach()
list(JOIN plugin_files " " plugin_files)

install(CODE "
  set(program \"$<TARGET_FILE:kakemaru>\")
  set(plugins ${plugin_files})
  set(translations \"${QT_JAPANESE_TRANSLATION}\")
  set(dll_dirs \"${dll_dirs}\")
  set(import_lib_dir \"${import_lib_dir}\")
  set(objdump \"${CMAKE_OBJDUMP}\")
  set(strip \"${CMAKE_STRIP}\")
  set(bin_dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/WindowsDeploy.cmake\")
")

# The installer, made again when the program or what packs it changes.
set(deploy_dir ${PROJECT_BINARY_DIR}/deploy)
set(files_nsh ${PROJECT_BINARY_DIR}/installer/files.nsh)
set(names_nsh ${PROJECT_BINARY_DIR}/installer/names.nsh)
file(CONFIGURE OUTPUT ${names_nsh} CONTENT "!define NAME \"${KAKEMARU_NAME}\"\n")
set(installer_file ${PROJECT_BINARY_DIR}/kakemaru-${PROJECT_VERSION}-setup.exe)
set(version_4 ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    string(APPEND version_4 .0)
  else()
    string(APPEND version_4 .${PROJECT_VERSION_${part}})
  endif()
endforeach()
# The program's icon for the installer and the uninstaller, where the build
# made one; else NSIS's own.
get_target_property(program_icon kakemaru KAKEMARU_ICON)
set(icon_define)
if(program_icon)
  set(icon_define -DICON=${program_icon})
else()
  set(program_icon)
endif()
add_custom_command(OUTPUT ${installer_file}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${deploy_dir}
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${deploy_dir} --strip
  COMMAND ${CMAKE_COMMAND} -DDEPLOY_DIR=${deploy_dir}/${CMAKE_INSTALL_BINDIR} -DOUTPUT=${files_nsh}
    -P ${CMAKE_CURRENT_LIST_DIR}/NsisFileLists.cmake
  # Warnings are errors: a missing file or string would otherwise pass.
  COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
    -DVERSION=${PROJECT_VERSION} -DVERSION_4=${version_4} ${icon_define}
    -DFILES_NSH=${files_nsh} -DNAMES_NSH=${names_nsh} -DOUT_FILE=${installer_file}
    ${windows_data}/kakemaru.nsi
  DEPENDS kakemaru ${program_icon} ${windows_data}/kakemaru.nsi ${names_nsh} ${CMAKE_CURRENT_LIST_DIR}/WindowsDeploy.cmake
    ${CMAKE_CURRENT_LIST_DIR}/NsisFileLists.cmake
  BYPRODUCTS ${deploy_dir} ${files_nsh}
  COMMENT "Packing kakemaru-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
add_custom_target(installer DEPENDS ${installer_file})
