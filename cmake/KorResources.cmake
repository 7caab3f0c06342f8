# The read-only resources (language catalogues, report templates, help texts, sample application
# files) live beside the executables in the build tree, as they do under the install prefix.
add_custom_target(kor_resources ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/bin/resources
  COMMENT "Copying resources"
  VERBATIM)
