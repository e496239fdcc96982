# SPDX-License-Identifier: MIT
# nlohmann-json for the Windows build: the library is headers only, so the build machine's copy
# serves. The include root in the build tree links to its folder alone, since /usr/include on the
# include path would put Linux's C headers before mingw's.
set(_qzd_json_header /usr/include/nlohmann/detail/abi_macros.hpp)
if(EXISTS ${_qzd_json_header})
  file(STRINGS ${_qzd_json_header} _qzd_json_version_lines
       REGEX "#define NLOHMANN_JSON_VERSION_(MAJOR|MINOR|PATCH) [0-9]+")
  set(_qzd_json_parts)
  foreach(_qzd_line IN LISTS _qzd_json_version_lines)
    string(REGEX REPLACE "^#define [A-Z_]+ ([0-9]+).*$" "\\1" _qzd_part "${_qzd_line}")
    list(APPEND _qzd_json_parts ${_qzd_part})
  endforeach()
  list(JOIN _qzd_json_parts "." nlohmann_json_VERSION)
  set(_qzd_json_root ${CMAKE_BINARY_DIR}/include/system-nlohmann)
  if(NOT EXISTS ${_qzd_json_root}/nlohmann)
    file(MAKE_DIRECTORY ${_qzd_json_root})
    file(CREATE_LINK /usr/include/nlohmann ${_qzd_json_root}/nlohmann SYMBOLIC)
  endif()
  set(nlohmann_json_INCLUDE_DIR ${_qzd_json_root})
endif()
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(nlohmann_json REQUIRED_VARS nlohmann_json_INCLUDE_DIR
                                  VERSION_VAR nlohmann_json_VERSION)
if(nlohmann_json_FOUND AND NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_json_INCLUDE_DIR})
endif()
