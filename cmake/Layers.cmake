# Folders are layers, lowest first:
#
#   resources/  platform/  base/  chart/  meter/  recorder/  views/  export/  app/  tools/
#
# and within recorder/, views/ and export/ the part without widgets sits below
# all of the windows (views/, then export/, then the recorder window). Each
# folder is a static library (two where a folder holds both: orvel_<folder> without
# widgets, orvel_<folder>_ui with them), and a library sees the headers of its
# own folder and of the libraries it links, nothing else: its include root is a
# folder of the build that holds a single link to its source folder. An include
# that runs up a layer therefore fails to compile.

# Gives `target` the include root of `folder` (shared by the folder's libraries),
# and the project's warnings.
function(orvel_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${ORVEL_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
  orvel_warnings(${target})
endfunction()

# The one way up: the windows reach the main window and the progress window
# through their global pointers (app/Globalvar.h) and classes. Only these
# headers of app/ are visible to them.
set(ORVEL_WINDOW_GLOBALS Globalvar.h Main4.h Mesgform.h)
set(globals ${CMAKE_BINARY_DIR}/layers/app-globals/app)
file(MAKE_DIRECTORY ${globals})
foreach(header IN LISTS ORVEL_WINDOW_GLOBALS)
  if(NOT EXISTS ${globals}/${header})
    file(CREATE_LINK ${ORVEL_ROOT}/app/${header} ${globals}/${header} SYMBOLIC)
  endif()
endforeach()
add_library(orvel_window_globals INTERFACE)
target_include_directories(orvel_window_globals INTERFACE ${CMAKE_BINARY_DIR}/layers/app-globals)

# A window library: sees the globals above, and is linked with app/ (where
# they are defined) wherever it is linked.
function(orvel_window_layer target)
  target_link_libraries(${target} PRIVATE orvel_window_globals INTERFACE orvel_app)
endfunction()
