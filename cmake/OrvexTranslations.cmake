# The translation catalogue: every text a person reads that the program adds
# to its design's (tr(), QT_TRANSLATE_NOOP), in English, for translators to
# start from. The design's own texts are marked fixedText() and stay out.
#
#   cmake --build <dir> --target orvex_lupdate   refreshes translations/orvex_en.ts
#                                                from the sources
#   every build                                  compiles it to orvex_en.qm with
#                                                lrelease, beside the program
#
# lupdate and lrelease come with Debian's qt6-l10n-tools.
set(ORVEX_QT_BINS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
find_program(ORVEX_LUPDATE lupdate HINTS ${ORVEX_QT_BINS} NO_DEFAULT_PATH)
find_program(ORVEX_LUPDATE lupdate)
find_program(ORVEX_LRELEASE lrelease HINTS ${ORVEX_QT_BINS} NO_DEFAULT_PATH)
find_program(ORVEX_LRELEASE lrelease)
if(NOT ORVEX_LUPDATE OR NOT ORVEX_LRELEASE)
  message(FATAL_ERROR "lupdate and lrelease are missing: install qt6-l10n-tools (tools/setup)")
endif()

set(ORVEX_CATALOGUE ${PROJECT_SOURCE_DIR}/translations/orvex_en.ts)

# The top folders of the program's sources; tests, benches and tools show
# nothing to the user.
orvex_folders(folders)
set(catalogue_dirs)
foreach(folder IN LISTS folders)
  string(REGEX REPLACE "/.*" "" top ${folder})
  # A folder the order names before it holds a source is skipped: lupdate stops on it.
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${top})
    list(APPEND catalogue_dirs ${PROJECT_SOURCE_DIR}/${top})
  endif()
endforeach()
list(REMOVE_DUPLICATES catalogue_dirs)
set(ORVEX_LUPDATE_ARGS -silent -locations none -no-obsolete -extensions cpp,h
    -source-language en -target-language en -I ${PROJECT_SOURCE_DIR} ${catalogue_dirs})

# Not part of ALL: a build never writes into the source tree by itself.
add_custom_target(orvex_lupdate
  COMMAND ${ORVEX_LUPDATE} ${ORVEX_LUPDATE_ARGS} -ts ${ORVEX_CATALOGUE}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Refreshing the translation catalogue translations/orvex_en.ts"
  VERBATIM)

set(ORVEX_QM ${CMAKE_BINARY_DIR}/translations/orvex_en.qm)
add_custom_command(OUTPUT ${ORVEX_QM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/translations
  COMMAND ${ORVEX_LRELEASE} -silent ${ORVEX_CATALOGUE} -qm ${ORVEX_QM}
  DEPENDS ${ORVEX_CATALOGUE}
  COMMENT "Compiling the translation catalogue"
  VERBATIM)
add_custom_target(orvex_translations ALL DEPENDS ${ORVEX_QM})
install(FILES ${ORVEX_QM} DESTINATION ${CMAKE_INSTALL_DATADIR}/orvex/translations)
