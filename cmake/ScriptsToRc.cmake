# Turns the built-in fireworks (one script per line) into the resource "IDRAW_DEFAULT_SCRIPT": raw data
# holding each script as a NUL-terminated text, ended by an empty text.
#   cmake -DINPUT=scripts.txt -DOUTPUT=scripts_data.rc -P ScriptsToRc.cmake
# An OUTPUT ending in .cpp gets the same block as a C++ array instead, `BuiltInScripts` of
# `BuiltInScriptsSize` bytes, for programs without Windows resources.
# The scripts are written as strings with an explicit \0 each, so the data needs no
# binary file. A script must be printable ASCII without quotes or backslashes (no script needs them),
# and no line may be empty, since an empty text would end the list early.
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "usage: cmake -DINPUT=<scripts.txt> -DOUTPUT=<file.rc> -P ScriptsToRc.cmake")
endif()

file(READ "${INPUT}" text)
file(SIZE "${INPUT}" size)
string(LENGTH "${text}" length)
if(length EQUAL 0)
  message(FATAL_ERROR "${INPUT}: no scripts")
endif()
# Only printable ASCII and LF (a NUL would shorten the text read); quotes and backslashes would need
# escaping in the resource compiler.
if(NOT length EQUAL size OR text MATCHES "[^ -~\n]" OR text MATCHES "[\"\\]")
  message(FATAL_ERROR "${INPUT}: scripts must be printable ASCII without quotes, backslashes or CR")
endif()

get_filename_component(name "${INPUT}" NAME)
set(rc "/* Generated from ${name} by ScriptsToRc.cmake; edit that file instead. */\n")
if(OUTPUT MATCHES "\\.cpp$")
  string(APPEND rc "#include <cstdint>\nextern const char BuiltInScripts[];\nextern const uint32_t BuiltInScriptsSize;\n")
  string(APPEND rc "const char BuiltInScripts[] =\n")
  set(tail "    \"\";\nconst uint32_t BuiltInScriptsSize = sizeof BuiltInScripts;\n")
else()
  string(APPEND rc "IDRAW_DEFAULT_SCRIPT RCDATA\nBEGIN\n")
  set(tail "    \"\\0\"\nEND\n")
endif()
# Split by hand rather than through a CMake list, which would mangle brackets and semicolons.
set(rest "${text}")
set(line 0)
while(NOT rest STREQUAL "")
  math(EXPR line "${line} + 1")
  string(FIND "${rest}" "\n" end)
  if(end EQUAL -1)
    set(script "${rest}")
    set(rest "")
  else()
    string(SUBSTRING "${rest}" 0 ${end} script)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${rest}" ${next} -1 rest)
  endif()
  if(script STREQUAL "")
    message(FATAL_ERROR "${INPUT}:${line}: empty line (an empty script would end the resource's list)")
  endif()
  if(OUTPUT MATCHES "\\.cpp$")
    string(APPEND rc "    \"${script}\\0\"\n")
  else()
    string(APPEND rc "    \"${script}\\0\",\n")
  endif()
endwhile()
string(APPEND rc "${tail}")
file(WRITE "${OUTPUT}.tmp" "${rc}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
