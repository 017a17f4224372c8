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
    SUFFIX ${suffix}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/${QUIL_VST3_ARCH})
  quil_plugin_binary(${target} ${name})
endfunction()

# quil_vst3_module(<target> <bundle folder> <sources...>)
# A VST3 deliverable: the plug-in's sources (which define Vst3PluginClass and CreateVst3Plugin),
# the adapter and the module entry, as a module in bundle form.
function(quil_vst3_module target bundle)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/adapters/vst3/Vst3Entry.cpp)
  target_link_libraries(${target} PRIVATE quil_vst3)
  quil_vst3_bundle(${target} ${bundle})
endfunction()
