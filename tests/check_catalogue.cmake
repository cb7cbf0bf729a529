# Fails when translations/orvex_en.ts misses a text of the sources or keeps one
# they no longer have: lupdate refreshes a copy, which must come out unchanged.
# Run `cmake --build <dir> --target orvex_lupdate` to bring it up to date.
string(REPLACE "|" ";" args "${ARGS}")
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${CATALOGUE} ${WORK}/orvex_en.ts)
execute_process(COMMAND ${LUPDATE} ${args} -ts ${WORK}/orvex_en.ts RESULT_VARIABLE failed
                OUTPUT_QUIET ERROR_QUIET)
if(failed)
  message(FATAL_ERROR "lupdate failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CATALOGUE} ${WORK}/orvex_en.ts
                RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff -u ${CATALOGUE} ${WORK}/orvex_en.ts)
  message(FATAL_ERROR "translations/orvex_en.ts is out of date: build the target orvex_lupdate")
endif()
