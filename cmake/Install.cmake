# Installed programs find the library of their own prefix: RUNPATH $ORIGIN/<bin to lib>, so a tree
# installed with `cmake --install --prefix` anywhere (or packaged) runs without LD_LIBRARY_PATH.
file(RELATIVE_PATH ZV_BIN_TO_LIB "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${CMAKE_INSTALL_LIBDIR}")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(ZV_INSTALL_RPATH "${CMAKE_INSTALL_LIBDIR}")
else()
  set(ZV_INSTALL_RPATH "$ORIGIN/${ZV_BIN_TO_LIB}")
endif()

# Off for distribution packages, whose library lies in the system's own library folder.
option(ZENTRAVOLIX_INSTALL_RPATH "Installed programs find the library of their prefix" ON)

# zv_installed_program(<target>): an installed executable linked against Tarvonel.
function(zv_installed_program target)
  if(NOT ZENTRAVOLIX_INSTALL_RPATH)
    return()
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${ZV_INSTALL_RPATH}")
  # RUNPATH rather than the older RPATH, so LD_LIBRARY_PATH still wins when a user sets it.
  target_link_options(${target} PRIVATE "LINKER:--enable-new-dtags")
endfunction()
