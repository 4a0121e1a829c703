# korvid_embed_resources(<target> <folder>): embeds every file under <folder>
# into <target> as the module's resource blob (gEmbeddedResources). The blob
# is a sequence of records "<relative path>\n<size>\n<bytes>".
function(korvid_embed_resources target folder)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*)
  list(SORT files)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(deps)
  foreach(f ${files})
    list(APPEND deps ${folder}/${f})
  endforeach()
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DOUT=${out} -P ${PROJECT_SOURCE_DIR}/cmake/GenerateResourceBlob.cmake
    DEPENDS ${deps} ${PROJECT_SOURCE_DIR}/cmake/GenerateResourceBlob.cmake
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
