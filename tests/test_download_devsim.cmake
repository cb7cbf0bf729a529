# A whole download by the main window's polling tick from the device
# simulator, over a pseudo-terminal through the real port.
if(NOT TARGET orvex-devsim)
  return()
endif()
orvex_add_test(test_download_devsim test_download_devsim.cpp LABELS integration)
target_compile_definitions(test_download_devsim PRIVATE ORVEX_DEVSIM="$<TARGET_FILE:orvex-devsim>")
add_dependencies(test_download_devsim orvex-devsim)
