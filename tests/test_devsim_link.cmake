# Talks to the device simulator over a pseudo-terminal through the real port,
# where the simulator can be built.
if(TARGET orvex-devsim)
  orvex_add_test(test_devsim_link test_devsim_link.cpp LABELS integration DEVSIM)
endif()
