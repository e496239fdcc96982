# SPDX-License-Identifier: MIT
# The DLLs the window's first frame does not need (the open dialog's, the drop's, COM's) load on
# their first call instead of with the program: dlltool makes delay-import libraries of the
# functions the window calls, and the MinGW runtime's __delayLoadHelper2 binds them when called.
#   qzd_delay_imports(TARGET VARIABLE DLL FUNCTION...)  makes the library of DLL's FUNCTIONs
#                                                       before TARGET and names it in VARIABLE
find_program(QZD_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool dlltool REQUIRED)

function(qzd_delay_imports target variable dll)
  string(REGEX REPLACE "\\.dll$" "" name ${dll})
  set(definition ${CMAKE_CURRENT_BINARY_DIR}/${name}-delay.def)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}-delay.a)
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT ${definition} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  add_custom_command(
    OUTPUT ${library}
    COMMAND ${QZD_DLLTOOL} --input-def ${definition} --dllname ${dll} --output-delaylib ${library}
    DEPENDS ${definition}
    COMMENT "Making the delay-import library of ${dll}"
    VERBATIM)
  add_custom_target(${name}-delay-imports DEPENDS ${library})
  add_dependencies(${target} ${name}-delay-imports)
  set(${variable} ${library} PARENT_SCOPE)
endfunction()
