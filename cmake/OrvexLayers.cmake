# The program's folders in the order their includes may point, lowest first.
# A source may include headers of its own folder and of the folders of lower
# levels; the folders of one level do not include each other. Each level names
# the library its folders build into.
#
#   platform     interfaces to the outside world and plain helpers on them
#   platform_qt  their Qt implementations; the logic links no Qt, so a header
#                of theirs included there does not compile
#   logic        plain C++: the session and its per-session data, then what reads
#                it, the results, and what reads the results
#   store        the club database: its connection and migrations, the roster, the
#                archive's index and folder scan, every SQL statement (Qt Core and
#                Qt SQL, no widgets)
#   windows      the commands that change the race-day data (undo steps, Qt GUI),
#                then the windows and dialogs of each feature under ui/
#   shell        the main window, which wires everything together
set(ORVEX_LEVELS
    "platform: platform"
    "platform_qt: platform/qt"
    "logic: session"
    "logic: device lists report autocopy names"
    "logic: results"
    "logic: export slips archive season sheet"
    "logic: publish"
    "store: store"
    "windows: commands"
    "windows: ui/device ui/lists ui/report ui/results ui/names ui/slips ui/archive ui/season ui/sheet ui/publish"
    "windows: ui/export"
    "shell: shell")
# The libraries, lowest first.
set(ORVEX_LAYERS platform platform_qt logic store windows shell)

# Level (0 = lowest) and library of a folder relative to the project root; -1
# and "" when it is none of ours.
function(orvex_level_of folder out_level out_library)
  set(index 0)
  foreach(level IN LISTS ORVEX_LEVELS)
    string(REGEX MATCH "^([a-z_]+): (.*)$" _ "${level}")
    set(library ${CMAKE_MATCH_1})
    string(REPLACE " " ";" folders "${CMAKE_MATCH_2}")
    if(folder IN_LIST folders)
      set(${out_level} ${index} PARENT_SCOPE)
      set(${out_library} ${library} PARENT_SCOPE)
      return()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out_level} -1 PARENT_SCOPE)
  set(${out_library} "" PARENT_SCOPE)
endfunction()

# Every folder of the levels, lowest first.
function(orvex_folders out)
  set(result)
  foreach(level IN LISTS ORVEX_LEVELS)
    string(REGEX REPLACE "^[a-z_]+: " "" folders "${level}")
    string(REPLACE " " ";" folders "${folders}")
    list(APPEND result ${folders})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Sources of one library, as absolute paths.
function(orvex_layer_sources root layer out)
  set(result)
  # A new file joins the build without a fresh configure; scripts cannot ask that.
  set(watch CONFIGURE_DEPENDS)
  if(CMAKE_SCRIPT_MODE_FILE)
    set(watch)
  endif()
  orvex_folders(folders)
  foreach(folder IN LISTS folders)
    orvex_level_of(${folder} level library)
    if(library STREQUAL layer)
      file(GLOB more ${watch} ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
      list(REMOVE_ITEM more ${root}/shell/main.cpp)
      list(APPEND result ${more})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
