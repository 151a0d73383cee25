# What a Windows program of this build loads besides the DLLs its targets
# link, written once for the build's bin/ folder (WindowsRuntime.cmake) and
# for the installed program (WindowsInstaller.cmake):
#   kakemaru_mingw_dlls      MinGW's runtime DLLs, where the compiler has them
#   kakemaru_qt_plugins      Qt's plugin targets (of Qt6Gui and Qt6Widgets, found
#                            by the includer); each goes into a folder named
#                            as the one it comes from (platforms/, styles/)
#   QT_JAPANESE_TRANSLATION  Qt's Japanese translations: the host's, since
#                            they are the same files on every system
set(kakemaru_qt_plugins Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
set(kakemaru_mingw_dlls)
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "The compiler does not know where ${dll} is")
  endif()
  get_filename_component(path ${path} REALPATH)
  list(APPEND kakemaru_mingw_dlls ${path})
endforeach()
find_file(QT_JAPANESE_TRANSLATION qtbase_ja.qm PATHS /usr/share/qt6/translations
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
