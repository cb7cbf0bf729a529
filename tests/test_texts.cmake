# The check of window texts reads the sources themselves.
orvex_add_test(test_texts test_texts.cpp)
target_compile_definitions(test_texts PRIVATE ORVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
