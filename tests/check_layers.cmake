# Run with cmake -P: the include check on a small tree of its own in WORK. It
# must name each include that does not point down the order, and a source in a
# folder the order does not name, and nothing else.
file(REMOVE_RECURSE ${WORK})
function(source path)
  file(WRITE ${WORK}/${path} "${ARGN}\n")
endfunction()
source(session/Session.h "#pragma once")
source(session/Bad.cpp "#  include \"results/Results.h\"")  # up, with spaces after #
source(results/Results.h "#include \"session/Session.h\"")   # down
source(lists/Sibling.cpp "#include \"device/DeviceLink.h\"") # the same line
source(ui/report/frmStampa.h "#include <QDialog>")
source(ui/export/frmExport.cpp "#include \"ui/report/frmStampa.h\"")  # down among the windows
source(ui/results/frmResults.h "#include \"shell/frmDesktop.h\"")     # up to the shell
source(ui/Stray.h "")

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -DSTAMP=${WORK}/stamp -P ${CHECK}
                RESULT_VARIABLE failed ERROR_VARIABLE report)
string(REGEX REPLACE "[ \n]+" " " report "${report}")
set(expected
    "session/Bad.cpp (session) includes results/Results.h (results)"
    "lists/Sibling.cpp (lists) includes device/DeviceLink.h (device)"
    "ui/results/frmResults.h (ui/results) includes shell/frmDesktop.h (shell)"
    "ui/Stray.h: its folder ui has no place in the order")
foreach(line IN LISTS expected)
  string(FIND "${report}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "not reported: ${line}\n${report}")
  endif()
endforeach()
foreach(line "results/Results.h (results) includes" "frmExport.cpp")
  string(FIND "${report}" "${line}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "reported though it points down: ${line}\n${report}")
  endif()
endforeach()
if(NOT failed OR EXISTS ${WORK}/stamp)
  message(FATAL_ERROR "the check passed a tree with includes that point up")
endif()
