# quil_aax_module(<target> <bundle folder> <sources...>)
# An AAX deliverable: the plug-in's sources (which define AaxPluginClass and CreateAaxPlugin), the
# adapter and the module entry with the seven exports, placed where hosts look inside a
# `<Name>.aaxplugin` bundle folder: Contents/x64/<Name>.aaxplugin on Windows. The Linux build,
# for the tests, goes to Contents/x86_64-linux/<Name>.so.
function(quil_aax_module target bundle)
  get_filename_component(name ${bundle} NAME_WE)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/adapters/aax/support/AcfExports.cpp)
  target_link_libraries(${target} PRIVATE quil_aax)
  if(WIN32)
    set(arch x64)
    set(suffix .aaxplugin)
  else()
    set(arch x86_64-linux)
    set(suffix .so)
  endif()
  set_target_properties(${target} PROPERTIES
    SUFFIX ${suffix}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/${arch})
  quil_plugin_binary(${target} ${name})
endfunction()
