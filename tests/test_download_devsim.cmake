# A whole download by the main window's polling tick from the device
# simulator, over a pseudo-terminal through the real port.
if(TARGET orvex-devsim)
  orvex_add_test(test_download_devsim test_download_devsim.cpp LABELS integration DEVSIM)
endif()
