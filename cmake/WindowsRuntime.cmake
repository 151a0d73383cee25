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
  include(WindowsRuntimeFiles)
  set(bin ${PROJECT_BINARY_DIR}/bin)
  set(dlls ${kakemaru_mingw_dlls})
  foreach(target ${ARGN})
    list(APPEND dlls $<TARGET_RUNTIME_DLLS:${target}>)
  endforeach()
  set(copy_plugins)
  foreach(plugin ${kakemaru_qt_plugins})
    set(folder ${bin}/$<PATH:GET_FILENAME,$<TARGET_FILE_DIR:${plugin}>>)
    list(APPEND copy_plugins
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${folder})
  endforeach()
  add_custom_target(windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QT_JAPANESE_TRANSLATION} ${bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} ${bin}
    ${copy_plugins}
    COMMAND_EXPAND_LISTS VERBATIM)
endfunction()
