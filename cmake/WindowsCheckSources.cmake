# Lists the project's own compile commands of a configured build tree for scripts/check-windows:
#   cmake -D BUILD=<build tree> -D SOURCE=<source tree> -D OUTPUT=<file> -P WindowsCheckSources.cmake
# Every entry of BUILD/compile_commands.json whose file lies in SOURCE (and not in BUILD, where
# moc and rcc write theirs) becomes one line of OUTPUT: directory, file and command, tab-separated.
cmake_minimum_required(VERSION 3.25)

foreach(required IN ITEMS BUILD SOURCE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()

file(REAL_PATH "${BUILD}" build)
file(REAL_PATH "${SOURCE}" source)
file(READ "${build}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")

set(lines "")
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    string(JSON file GET "${commands}" ${index} file)
    string(JSON directory GET "${commands}" ${index} directory)
    string(JSON command GET "${commands}" ${index} command)
    cmake_path(IS_PREFIX source "${file}" NORMALIZE in_source)
    cmake_path(IS_PREFIX build "${file}" NORMALIZE in_build)
    if(in_source AND NOT in_build)
      string(APPEND lines "${directory}\t${file}\t${command}\n")
    endif()
  endforeach()
endif()
file(WRITE "${OUTPUT}" "${lines}")
