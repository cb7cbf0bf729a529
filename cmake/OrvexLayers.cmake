# The program's layers, lowest first. Each builds into a library of its own,
# and a source may include headers of its own layer or the ones below it:
#   platform     interfaces to the outside world and plain helpers on them
#   logic        session model, files, frames, download, list geometry, report lines,
#                export files
#   platform_qt  the Qt implementations of the platform interfaces, and the club
#                database (clubdb/), which stands behind the plain Roster
#   windows      the windows and dialogs of every subsystem, and the archive's
#                index and folder scan, which read data files into the club database
#   shell        the main window, which wires everything together
# The two lowest link no Qt at all, so a window header included there fails to
# compile; orvex_check_layers catches every other include that runs upwards.
set(ORVEX_LAYERS platform logic platform_qt windows shell)
# Folders of a feature: their frm* sources (and the few named below that draw
# with Qt) are windows, the rest is logic.
set(ORVEX_LOGIC_DIRS session device lists report export autocopy results slips names archive)
# Folders whose every source is a Qt implementation of a platform interface.
set(ORVEX_PLATFORM_QT_DIRS clubdb)

# Layer of a source path relative to the project root, or "" when it is none of ours.
function(orvex_layer_of path out)
  set(layer "")
  if(path MATCHES "^platform/(Qt[A-Za-z]*|Twips|InstallLayout)\\.(cpp|h)$")
    set(layer platform_qt)
  elseif(path MATCHES "^clubdb/[^/]+\\.(cpp|h)$")
    set(layer platform_qt)
  elseif(path MATCHES "^archive/Archive(Index|Scan)\\.(cpp|h)$")
    set(layer windows)
  elseif(path MATCHES "^platform/")
    set(layer platform)
  elseif(path MATCHES "^shell/")
    set(layer shell)
  elseif(path MATCHES "^[a-z]+/(frm[A-Za-z0-9]*|Elenco|ListForm|ChildWindows|SlipPainter)\\.(cpp|h)$")
    set(layer windows)
  else()
    foreach(dir IN LISTS ORVEX_LOGIC_DIRS)
      if(path MATCHES "^${dir}/[^/]+\\.(cpp|h)$")
        set(layer logic)
      endif()
    endforeach()
  endif()
  set(${out} ${layer} PARENT_SCOPE)
endfunction()

# Sources of one layer, as absolute paths.
function(orvex_layer_sources root layer out)
  set(result)
  # A new file joins the build without a fresh configure; scripts cannot ask that.
  set(watch CONFIGURE_DEPENDS)
  if(CMAKE_SCRIPT_MODE_FILE)
    set(watch)
  endif()
  set(candidates)
  foreach(dir IN LISTS ORVEX_LOGIC_DIRS ORVEX_PLATFORM_QT_DIRS ITEMS platform shell)
    file(GLOB more RELATIVE ${root} ${watch} ${root}/${dir}/*.cpp ${root}/${dir}/*.h)
    list(APPEND candidates ${more})
  endforeach()
  foreach(path IN LISTS candidates)
    orvex_layer_of(${path} l)
    if(l STREQUAL layer AND NOT path STREQUAL "shell/main.cpp")
      list(APPEND result ${root}/${path})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
