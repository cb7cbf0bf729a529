# The start-up tests also run the program itself, in a cleared environment.
orvex_add_test(test_startup test_startup.cpp)
target_compile_definitions(test_startup PRIVATE ORVEX_BINARY="$<TARGET_FILE:orvex>")
add_dependencies(test_startup orvex)
