# The property checks shared by the fuzz targets (fuzz/) and their regression tests
# (tests/hardening/). Included, not added, so that both builds compile them with their own flags.
add_library(zv_fuzz_checks STATIC
  ${CMAKE_CURRENT_LIST_DIR}/VmxCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DescriptorCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStoreCheck.cpp)
target_include_directories(zv_fuzz_checks PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../..)
target_link_libraries(zv_fuzz_checks PUBLIC zv_vmx zv_config zv_platform zv_disk PRIVATE zv_warnings)
