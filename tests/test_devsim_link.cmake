# Talks to the device simulator over a pseudo-terminal through the real port.
if(NOT TARGET orvex-devsim)
  return()
endif()
orvex_add_test(test_devsim_link test_devsim_link.cpp LABELS integration)
target_compile_definitions(test_devsim_link PRIVATE ORVEX_DEVSIM="$<TARGET_FILE:orvex-devsim>")
add_dependencies(test_devsim_link orvex-devsim)
