# The folders of the program as layers, lowest first. A folder builds on the ones before it in this
# list and never on one after it.
set(FW_LAYERS engine scenery render audio settings app)

# fw_layer(FOLDER PORTABLE sources... [WIN32 sources...] [WIN32_LIBS libraries...])
# Makes fw_FOLDER from the portable sources, linked to the layer just below (and so to all of them),
# and, in the cross builds, fw_FOLDER_win32 from the folder's win32/ sources, linked to fw_FOLDER, to
# the nearest lower layer's Win32 half and to the system libraries it calls. Folders are added lowest
# first.
function(fw_layer folder)
  cmake_parse_arguments(L "" "" "PORTABLE;WIN32;WIN32_LIBS" ${ARGN})
  list(FIND FW_LAYERS ${folder} index)
  if(index LESS 0)
    message(FATAL_ERROR "${folder} is not one of the layers ${FW_LAYERS}")
  endif()
  add_library(fw_${folder} STATIC ${L_PORTABLE})
  target_include_directories(fw_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(fw_${folder} PUBLIC fw_warnings)
  add_dependencies(fw_${folder} fw_layering)
  # The layer just below, and the nearest lower one with a Win32 half.
  set(lower_win32 "")
  set(lower ${index})
  while(lower GREATER 0)
    math(EXPR lower "${lower} - 1")
    list(GET FW_LAYERS ${lower} below)
    if(NOT TARGET fw_${below})
      message(FATAL_ERROR "add ${below} before ${folder}")
    endif()
    if(lower_win32 STREQUAL "" AND TARGET fw_${below}_win32)
      set(lower_win32 fw_${below}_win32)
    endif()
  endwhile()
  if(index GREATER 0)
    math(EXPR previous "${index} - 1")
    list(GET FW_LAYERS ${previous} below)
    target_link_libraries(fw_${folder} PUBLIC fw_${below})
  endif()
  if(WIN32 AND L_WIN32)
    add_library(fw_${folder}_win32 STATIC ${L_WIN32})
    target_link_libraries(fw_${folder}_win32 PUBLIC fw_${folder} ${lower_win32} ${L_WIN32_LIBS})
  endif()
endfunction()

# Every build checks the includes of the layers first (cmake/CheckLayering.cmake).
set(layer_sources "")
foreach(layer ${FW_LAYERS})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.h ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
  list(APPEND layer_sources ${sources})
endforeach()
string(REPLACE ";" "," layer_names "${FW_LAYERS}")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/layering.checked
  COMMAND ${CMAKE_COMMAND} -DLAYERS=${layer_names} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayering.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/layering.checked
  DEPENDS ${layer_sources} ${CMAKE_SOURCE_DIR}/cmake/CheckLayering.cmake
  COMMENT "Checking that every include keeps to the layers" VERBATIM)
add_custom_target(fw_layering DEPENDS ${CMAKE_BINARY_DIR}/layering.checked)
