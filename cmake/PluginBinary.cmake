# quil_plugin_binary(<target> <output name>)
# What every plug-in binary a host loads needs: its plain file name, only its entry points visible,
# undecorated exports on i386 Windows, and on Linux no unresolved symbol left for the host to find.
function(quil_plugin_binary target name)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    # stdcall exports would otherwise be decorated (GetPluginFactory@0); hosts look up plain names.
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  elseif(NOT WIN32)
    # Export only the entry points.
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
    if(NOT QUIL_SANITIZE)
      # Fail the link on anything unresolved (sanitizer runtimes live in the host executable).
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
endfunction()
