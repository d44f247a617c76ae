# Layers that hold: no file includes a header of a layer above its own. The targets' include
# folders already refuse most such includes; this also catches a header reached by a relative
# path, or through a folder a target was given by mistake. Headers are told apart by name
# (every header name in the tree is unique but the two calling conventions of platform/).
# Runs at configure time, and as the test "layers" (cmake -DVELMORA_LAYERS_ROOT=... -P).
if(NOT VELMORA_LAYERS_ROOT)
  set(VELMORA_LAYERS_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
endif()

# Fails when a file under one of the lower folders includes a header that lies directly in
# upper_folder (not in its subfolders, so tools/exports/ stays open to the window).
function(velmora_forbid_includes upper_folder)
  file(GLOB headers RELATIVE ${VELMORA_LAYERS_ROOT}/${upper_folder} ${VELMORA_LAYERS_ROOT}/${upper_folder}/*.h)
  foreach(lower_folder ${ARGN})
    file(GLOB_RECURSE sources ${VELMORA_LAYERS_ROOT}/${lower_folder}/*.h ${VELMORA_LAYERS_ROOT}/${lower_folder}/*.cpp
         ${VELMORA_LAYERS_ROOT}/${lower_folder}/*.rc)
    foreach(source ${sources})
      file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(include ${includes})
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${include}")
        get_filename_component(name "${header}" NAME)
        list(FIND headers "${name}" found)
        if(found GREATER -1)
          message(FATAL_ERROR "${source} includes ${header}, a header of ${upper_folder}/, which is above it")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

# TOOLS.DLL's own headers: only the library and its tests include them (the exports' header,
# in tools/exports/, is for the window too).
velmora_forbid_includes(tools platform shared forms widgets calendar)
# The window's own headers.
velmora_forbid_includes(calendar platform shared forms widgets)
# The widget windows, above the portable layers and the widgets' own models.
velmora_forbid_includes(widgets platform shared forms widgets/models)
velmora_forbid_includes(shared platform forms)
