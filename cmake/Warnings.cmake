# Shared warning flags for every target of the project (link zv_warnings).
add_library(zv_warnings INTERFACE)
target_compile_options(zv_warnings INTERFACE
  -Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual)
# Warnings are kept at zero by review; -Werror is opt-in so that a new compiler's false positive
# cannot fail a build on its own.
option(ZENTRAVOLIX_WERROR "Treat warnings as errors" OFF)
if(ZENTRAVOLIX_WERROR)
  target_compile_options(zv_warnings INTERFACE -Werror)
endif()

# Qt targets link this in addition: no implicit conversions from char* to QString,
# no connections without a context object.
add_library(zv_qt_defs INTERFACE)
target_compile_definitions(zv_qt_defs INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
