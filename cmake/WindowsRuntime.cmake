# Windows: every program of the build in one folder, bin/, with the DLLs it
# loads beside it (Qt's, MinGW's runtime, and Qt's platform and style
# plugins) and Qt's Japanese translations, so that each runs from there,
# under Wine too.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# The runtime DLLs of the programs in bin/; TARGETS are the programs that
# need the most of them.
function(kakemaru_windows_runtime)
  # The plugins' targets, here too.
  find_package(Qt6 REQUIRED COMPONENTS Gui Widgets)
  set(bin ${PROJECT_BINARY_DIR}/bin)
  set(mingw_dlls)
  foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
      message(FATAL_ERROR "The compiler does not know where ${dll} is")
    endif()
    list(APPEND mingw_dlls ${path})
  endforeach()
  set(dlls ${mingw_dlls})
  # The host's Qt is the same version; its translations serve any system.
  find_file(QT_JAPANESE_TRANSLATION qtbase_ja.qm PATHS /usr/share/qt6/translations
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  foreach(target ${ARGN})
    list(APPEND dlls $<TARGET_RUNTIME_DLLS:${target}>)
  endforeach()
  add_custom_target(windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles ${bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QT_JAPANESE_TRANSLATION} ${bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} ${bin}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> ${bin}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> ${bin}/styles
    COMMAND_EXPAND_LISTS VERBATIM)
endfunction()
