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
# that runs up a layer therefore fails to compile. There is no way up: what a
# window needs from above (where to place itself, the shared state, the progress
# window) is handed to it by app/ (views/WindowContext.h).

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
