# Precompiled headers for the targets whose files spend most of their compile time reading the
# same large headers again (Qt widgets, GoogleTest, the model). Measured per target: where the
# time goes into instantiating templates instead (CLI11, the app tests) they only add the cost of
# building the header, so those targets go without. Each target builds its own, so
# no flags need to match between targets. Off with -DZENTRAVOLIX_PCH=OFF (e.g. to check that every
# file includes what it uses).
option(ZENTRAVOLIX_PCH "Use precompiled headers" ON)

set(ZV_PCH_QT_WIDGETS
  <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox> <QHBoxLayout> <QLabel> <QLineEdit>
  <QPushButton> <QRadioButton> <QString> <QTreeWidget> <QVBoxLayout> <QWidget>)
set(ZV_PCH_STD <functional> <memory> <optional> <string> <vector>)

# zv_precompile(<target> [QT] [MODEL] [GTEST] [HEADERS <header>...])
function(zv_precompile target)
  if(NOT ZENTRAVOLIX_PCH)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "QT;MODEL;GTEST" "" "HEADERS")
  set(headers ${ZV_PCH_STD})
  if(arg_QT)
    list(APPEND headers ${ZV_PCH_QT_WIDGETS})
  endif()
  if(arg_MODEL)
    list(APPEND headers <tarvonel/tarvonel.h>)
  endif()
  if(arg_GTEST)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  list(APPEND headers ${arg_HEADERS})
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
