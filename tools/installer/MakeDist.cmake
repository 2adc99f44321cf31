# The release: the setup program (makensis) and a zip of the saver, its read-me and the script guide.
#   cmake -DMAKENSIS=<makensis> -DSCRIPT=<fireworks.nsi> -DSCR=<fireworks.scr> -DREADME=<ReadMe.txt>
#         -DGUIDE=<scripts.md or empty> -DICON=<fireworks.ico> -DVERSION=<x.y> -DOUT=<dist dir>
#         -DWORK=<staging dir> -P MakeDist.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}" "${OUT}")

# Text files in Windows line endings, for every editor there.
function(copy_as_windows_text source target)
  file(READ "${source}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${target}" "${text}")
endfunction()

file(COPY "${SCR}" DESTINATION "${WORK}")
copy_as_windows_text("${README}" "${WORK}/ReadMe.txt")
set(files fireworks.scr ReadMe.txt)
if(GUIDE AND EXISTS "${GUIDE}")
  copy_as_windows_text("${GUIDE}" "${WORK}/scripts.md")
  list(APPEND files scripts.md)
endif()

set(setup "${OUT}/BrelkoraFireworksSetup.exe")
execute_process(COMMAND "${MAKENSIS}" -V2 -NOCD "-DVERSION=${VERSION}" "-DSCR=${WORK}/fireworks.scr"
                        "-DREADME=${WORK}/ReadMe.txt" "-DICON=${ICON}" "-DOUTFILE=${setup}" "${SCRIPT}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis failed on ${SCRIPT}")
endif()

set(zip "${OUT}/BrelkoraFireworks-${VERSION}.zip")
file(REMOVE "${zip}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip ${files} WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not make ${zip}")
endif()
