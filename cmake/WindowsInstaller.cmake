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
# Qt's translations are the same files on every system: the host's serve.
find_file(QTBASE_JA_QM qtbase_ja.qm PATHS /usr/share/qt6/translations
  NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)

# Where the DLLs come from: Qt's bin folder, the compiler's own folder
# (libstdc++, libgcc_s) and the MinGW sysroot's (libwinpthread). Windows' own
# DLLs are those with an import library in the sysroot.
function(kakemaru_compiler_file_dir name out)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find ${name}")
  endif()
  get_filename_component(dir ${path} DIRECTORY)
  get_filename_component(dir ${dir} REALPATH)
  set(${out} ${dir} PARENT_SCOPE)
endfunction()
get_target_property(qt_core_dll Qt6::Core LOCATION)
get_filename_component(qt_bin_dir ${qt_core_dll} DIRECTORY)
kakemaru_compiler_file_dir(libstdc++-6.dll gcc_dll_dir)
kakemaru_compiler_file_dir(libwinpthread-1.dll sysroot_dll_dir)
kakemaru_compiler_file_dir(libkernel32.a import_lib_dir)

install(CODE "
  set(program \"$<TARGET_FILE:kakemaru>\")
  set(plugins \"$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>\"
              \"$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>\")
  set(translations \"${QTBASE_JA_QM}\")
  set(dll_dirs \"${qt_bin_dir}\" \"${gcc_dll_dir}\" \"${sysroot_dll_dir}\")
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
