# The bundle's folder name for this build's platform and architecture.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QUIL_VST3_ARCH x86-win)
elseif(WIN32)
  set(QUIL_VST3_ARCH x86_64-win)
else()
  set(QUIL_VST3_ARCH x86_64-linux)
endif()

# quil_vst3_bundle(<module target> <bundle folder>)
# Puts the module's binary where hosts look for it inside a `<Name>.vst3` bundle folder:
# Contents/x86_64-linux/<Name>.so, Contents/x86_64-win/<Name>.vst3 or Contents/x86-win/<Name>.vst3.
function(quil_vst3_bundle target bundle)
  get_filename_component(name ${bundle} NAME_WE)
  if(WIN32)
    set(suffix .vst3)
  else()
    set(suffix .so)
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    SUFFIX ${suffix}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/${QUIL_VST3_ARCH}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    # stdcall exports would otherwise be decorated (GetPluginFactory@0); hosts look up plain names.
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  elseif(NOT WIN32)
    quil_linux_module_link(${target})
  endif()
endfunction()

# quil_linux_module_link(<module target>)
# A Linux plug-in module exports only its entry points and links completely.
function(quil_linux_module_link target)
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  if(NOT QUIL_SANITIZE)
    # Fail the link on anything unresolved (sanitizer runtimes live in the host executable).
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# quil_vst3_module(<target> <bundle folder> <sources...>)
# A VST3 deliverable: the plug-in's sources (which define Vst3PluginClass and CreateVst3Plugin),
# the adapter and the module entry, as a module in bundle form.
function(quil_vst3_module target bundle)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/adapters/vst3/Vst3Entry.cpp)
  target_link_libraries(${target} PRIVATE quil_vst3)
  quil_vst3_bundle(${target} ${bundle})
endfunction()
