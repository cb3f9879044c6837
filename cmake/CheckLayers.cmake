# Fails the build when a module includes a module above it, or a feature
# includes another feature: the libraries are linked in layer order, and an
# include that points up would otherwise only show as a link error later, or
# not at all when the code happens to be header-only.  The Filer is the one
# feature the others stand on: file operations, search and archives act on a
# Filer pane's selection and show their results in one, while the Filer
# itself needs none of them.
#
#   cmake -DZQ_SRC=<src folder> -DZQ_STAMP=<file> -P CheckLayers.cmake
set(_rank_common 0)
set(_rank_ui 1)
set(_rank_external 2)
set(_rank_settings 3)
set(_rank_commands 4)
set(_rank_filer 5)
set(_features fileops viewer binedit picture archive search)
foreach(_f ${_features})
  set(_rank_${_f} 6)
endforeach()
set(_rank_app 7)

set(_bad "")
file(GLOB _files ${ZQ_SRC}/*/*.cpp ${ZQ_SRC}/*/*.h ${ZQ_SRC}/*/*.inc)
foreach(_file ${_files})
  file(RELATIVE_PATH _rel ${ZQ_SRC} ${_file})
  string(REGEX REPLACE "/.*" "" _from ${_rel})
  if(NOT DEFINED _rank_${_from})
    continue()
  endif()
  file(STRINGS ${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
  foreach(_line ${_includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" _to "${_line}")
    if(_to STREQUAL _from OR NOT DEFINED _rank_${_to})
      continue()
    endif()
    if(_rank_${_to} GREATER _rank_${_from} OR _rank_${_to} EQUAL _rank_${_from})
      string(APPEND _bad "  src/${_rel}: ${_line}\n")
    endif()
  endforeach()
endforeach()

if(_bad)
  message(FATAL_ERROR "Includes that point up the layers (or from one feature into another):\n${_bad}"
                      "Order: common < ui < external < settings < commands < filer < other features < app.")
endif()
file(WRITE ${ZQ_STAMP} "ok\n")
