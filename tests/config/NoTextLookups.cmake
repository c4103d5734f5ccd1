# The Qt-free layers hand out text ids and codes; the editor, the main window and the command-line
# tool turn them into text in their own language. This check fails when a source file of one of
# these layers looks a text up itself.
# Usage: cmake -DSOURCE_DIR=<project root> -P NoTextLookups.cmake
set(offenders "")
foreach(layer model vmx disk config)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(READ "${source}" content)
    foreach(pattern "platform/TextTable.h" "LoadCaption" "LoadLocalizedText" "LanguageOffset")
      string(FIND "${content}" "${pattern}" at)
      if(NOT at EQUAL -1)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
        list(APPEND offenders "${name} (${pattern})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Qt-free layers that look texts up themselves:\n  ${text}")
endif()
