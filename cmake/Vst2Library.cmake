# quil_vst2_library(<target> <output folder> <output name> <sources...>)
# A VST2 deliverable: the plug-in's sources (which define CreateVst2Plugin), the adapter and the
# library entry, as <output folder>/<output name>.dll on Windows and .so on Linux, exporting only
# VSTPluginMain and main.
function(quil_vst2_library target folder name)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/adapters/vst2/Vst2Entry.cpp)
  target_link_libraries(${target} PRIVATE quil_vst2)
  set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${folder})
  quil_plugin_binary(${target} ${name})
  if(WIN32)
    # The module-definition file exports the entry under both names.
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/adapters/vst2/Vst2Exports.def)
  endif()
endfunction()
