# The captions are checked at 96 DPI, as every test runs, and again at 120 DPI.
orvex_add_test(test_captions test_captions.cpp)
add_test(NAME test_captions_120dpi COMMAND test_captions)
set_tests_properties(test_captions_120dpi PROPERTIES TIMEOUT 300
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=120;QT_ENABLE_HIGHDPI_SCALING=0")
