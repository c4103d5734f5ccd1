# Rebuilds after switching branches or in a second checkout reuse earlier compiler output through
# ccache when it is installed. Paths are hashed relative to the parent of the source tree, and the
# precompiled headers are accepted (their defines and time macros are stable here), so two
# checkouts side by side share one cache. Off with -DZENTRAVOLIX_CCACHE=OFF.
option(ZENTRAVOLIX_CCACHE "Use ccache when it is installed" ON)
if(ZENTRAVOLIX_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(ZV_CCACHE ccache)
  if(ZV_CCACHE)
    get_filename_component(zv_cache_base "${CMAKE_SOURCE_DIR}/.." ABSOLUTE)
    set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env "CCACHE_BASEDIR=${zv_cache_base}"
      "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
      ${ZV_CCACHE})
  endif()
endif()
