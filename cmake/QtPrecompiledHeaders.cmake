# Precompiled Qt headers. Parsing Qt's headers is most of the time a Qt
# source file takes to compile, so each group of targets that is compiled
# with the same flags shares one precompiled header: the first target of the
# group builds it, the others reuse it. GCC ignores a precompiled header made
# with other flags (other macros Qt's headers look at, -fPIC against -fPIE)
# and reads the headers themselves, so a target in the wrong group builds
# correctly, only slower. Sources keep their own includes: the build must
# still work with CMAKE_DISABLE_PRECOMPILE_HEADERS=ON.
#
# Groups:
#   gui_library      the page library: QtCore and QtGui
#   widgets_library  the other libraries of the program: QtWidgets too
#   platform_library the platform library, which libcanberra compiles with
#                    -D_REENTRANT
#   gui_test         QtTest programs on QtGui only (QGuiApplication)
#   widgets_test     QtTest programs on QtWidgets (QApplication)
#   widgets_program  the program and the other executables on QtWidgets

# Gives TARGET the precompiled header of GROUP: its own when it is the
# group's first target, else the first one's.
function(kakemaru_qt_precompiled_headers target group)
  set(kakemaru_pch_gui
    <algorithm> <memory> <optional> <string> <vector>
    <QByteArray> <QColor> <QFont> <QFontMetricsF> <QHash> <QImage> <QList> <QPainter> <QPen>
    <QString> <QStringList>)
  set(kakemaru_pch_widgets ${kakemaru_pch_gui}
    <QAbstractButton> <QAccessible> <QApplication> <QCheckBox> <QDir> <QFile> <QGroupBox> <QIcon>
    <QLabel> <QLineEdit> <QMessageBox> <QPixmap> <QPushButton> <QRadioButton> <QStyle> <QWidget>)
  set(kakemaru_pch_gui_library ${kakemaru_pch_gui})
  set(kakemaru_pch_widgets_library ${kakemaru_pch_widgets})
  set(kakemaru_pch_platform_library ${kakemaru_pch_widgets})
  set(kakemaru_pch_gui_test <QtTest> ${kakemaru_pch_gui})
  set(kakemaru_pch_widgets_test <QtTest> ${kakemaru_pch_widgets})
  set(kakemaru_pch_widgets_program ${kakemaru_pch_widgets})
  if(NOT DEFINED kakemaru_pch_${group})
    message(FATAL_ERROR "No precompiled header group ${group}")
  endif()
  get_property(first GLOBAL PROPERTY kakemaru_pch_first_${group})
  if(first)
    target_precompile_headers(${target} REUSE_FROM ${first})
  else()
    set_property(GLOBAL PROPERTY kakemaru_pch_first_${group} ${target})
    target_precompile_headers(${target} PRIVATE ${kakemaru_pch_${group}})
  endif()
endfunction()
