# korvid_add_plugin(<name> SOURCES_DIR <dir> RESOURCES <dir>):
#   <name>_code  static library: the plug-in's code, the dialog framework,
#                the entry-point glue and the embedded resources (tests link
#                it to run the plug-in in-process through the real protocol);
#   <name>       the loadable module in the plug-ins folder.
function(korvid_add_plugin name)
  cmake_parse_arguments(P "" "SOURCES_DIR;RESOURCES" "" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${P_SOURCES_DIR}/*.cpp)
  add_library(${name}_code STATIC ${sources} ${KORVID_DIALOG_FRAMEWORK_SOURCES} ${KORVID_PLUGIN_GLUE})
  target_include_directories(${name}_code PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}_code PUBLIC korvid_host)
  set_target_properties(${name}_code PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  korvid_embed_resources(${name}_code ${P_RESOURCES})

  add_library(${name} MODULE ${PROJECT_SOURCE_DIR}/cmake/ModuleStub.cpp)
  target_link_libraries(${name} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}_code>")
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${KORVID_PLUGIN_DIR}
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${name} PRIVATE -Wl,--no-undefined)
endfunction()
