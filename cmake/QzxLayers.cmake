# The layer rule of the GUI: a file may include the headers of its own layer and of the layers
# below it, never those above. Used when configuring (src/gui/CMakeLists.txt) and by a test.

# Fails with a message naming the file and the include when `file` (shown as `shown_name`)
# includes a header of one of the layers listed after `layer`.
function(qzx_check_layer_includes file shown_name layer)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(forbidden ${ARGN})
    foreach(line ${includes})
      if(line MATCHES "[\"</]${forbidden}/")
        message(FATAL_ERROR "${shown_name} includes a header of the ${forbidden} layer "
                            "(${line}); the ${layer} layer may use only the layers below it.")
      endif()
    endforeach()
  endforeach()
endfunction()

# Script mode, for the test: cmake -DFILE=... -DLAYER=... -DFORBIDDEN=a;b -P QzxLayers.cmake
if(CMAKE_SCRIPT_MODE_FILE AND DEFINED FILE)
  qzx_check_layer_includes(${FILE} ${FILE} ${LAYER} ${FORBIDDEN})
  message(STATUS "${FILE} keeps to the ${LAYER} layer")
endif()
