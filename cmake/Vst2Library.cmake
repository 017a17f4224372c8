# quil_vst2_library(<target> <output folder> <output name> <sources...>)
# A VST2 deliverable: the plug-in's sources (which define CreateVst2Plugin), the adapter and the
# library entry, as <output folder>/<output name>.dll on Windows and .so on Linux, exporting only
# VSTPluginMain and main.
function(quil_vst2_library target folder name)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/adapters/vst2/Vst2Entry.cpp)
  target_link_libraries(${target} PRIVATE quil_vst2)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    # The module-definition file exports the entry under both names, undecorated.
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/adapters/vst2/Vst2Exports.def)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE -Wl,--kill-at)
    endif()
  else()
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
    if(NOT QUIL_SANITIZE)
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
endfunction()
