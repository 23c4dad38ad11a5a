# Import libraries whose DLL is loaded on the first call into it rather than
# at process start: a DLL the first window does not need should not delay it.
#   quonel_delay_import(<target> <dll> <def file listing the functions used>)
# A function missing from the list fails the link, so nothing falls back to
# an ordinary import without notice.
function(quonel_delay_import target dll def)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${library}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${target}_library DEPENDS ${library})
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library})
  add_dependencies(${target} ${target}_library)
endfunction()
