# Read right after the top-level project() call when scripts/check-windows configures the
# project as a Windows build (see WindowsCheckToolchain.cmake). Only the compile commands of
# that configuration are used, so what is adjusted here concerns the host's packages standing
# in for Windows ones, never the project's own lists.

# The host's system headers must stay out of a Windows compile: a package that names the host's
# include folder as its own loses it, and the third-party headers the sources include come from
# the private folder the check fills with copies of exactly those headers.
list(APPEND CMAKE_C_IMPLICIT_INCLUDE_DIRECTORIES /usr/include /usr/local/include)
list(APPEND CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES /usr/include /usr/local/include)
if(VELDRIN_WINDOWS_CHECK_INCLUDE)
  include_directories(SYSTEM "${VELDRIN_WINDOWS_CHECK_INCLUDE}")
  # A find module looks for its header and library in the MinGW-w64 tree, which has neither.
  set(EXPAT_INCLUDE_DIR "${VELDRIN_WINDOWS_CHECK_INCLUDE}" CACHE PATH "")
  set(EXPAT_LIBRARY "${CMAKE_BINARY_DIR}/not-linked.a" CACHE FILEPATH "")
endif()

# CMake refuses to generate a Windows build that links a shared library without an import
# library, which no Linux package has. Nothing is linked here, so every imported shared library
# gets a stand-in name once all the lists have been read. Imported targets are made global so
# this also reaches a package found in a subfolder.
set(CMAKE_FIND_PACKAGE_TARGETS_GLOBAL ON)

function(_veldrin_windows_check_import_libraries directory)
  get_property(targets DIRECTORY "${directory}" PROPERTY IMPORTED_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type "${target}" TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
      set(stand_in "${CMAKE_BINARY_DIR}/not-linked.a")
      set_property(TARGET "${target}" PROPERTY IMPORTED_IMPLIB "${stand_in}")
      get_property(configurations TARGET "${target}" PROPERTY IMPORTED_CONFIGURATIONS)
      foreach(configuration IN LISTS configurations)
        string(TOUPPER "${configuration}" configuration)
        set_property(TARGET "${target}" PROPERTY IMPORTED_IMPLIB_${configuration} "${stand_in}")
      endforeach()
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _veldrin_windows_check_import_libraries("${subdirectory}")
  endforeach()
endfunction()

cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _veldrin_windows_check_import_libraries
               "${CMAKE_SOURCE_DIR}")
