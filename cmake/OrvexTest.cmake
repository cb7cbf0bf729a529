find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)

# orvex_add_test(NAME source... [LABELS l...] [ENV VAR=value...] [DEVSIM])
# DEVSIM: the test starts the device simulator, whose path it gets as ORVEX_DEVSIM.
# Every test runs headless: Qt's offscreen platform at 96 DPI, so that
# 15 twips make one pixel exactly as on a usual display.
function(orvex_add_test name)
  cmake_parse_arguments(T "DEVSIM" "TIMEOUT" "LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE orvex_test_main orvex_fakes orvex_shell GTest::gtest
                        GTest::gmock Qt6::Test)
  if(T_DEVSIM)
    target_compile_definitions(${name} PRIVATE ORVEX_DEVSIM="$<TARGET_FILE:orvex-devsim>")
    add_dependencies(${name} orvex-devsim)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;QT_ENABLE_HIGHDPI_SCALING=0;${T_ENV}")
endfunction()
