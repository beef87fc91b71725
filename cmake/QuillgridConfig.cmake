# find_package(Quillgrid): the quillgrid-cli installed beside this file,
# as the imported executable Quillgrid::cli, quillgrid_add_images(),
# which turns images into a header as part of a target's build, and
# quillgrid_add_fonts(), which makes a font header the same way.
get_filename_component(_quillgrid_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
# The host's program, also when a firmware is cross-compiled.
find_program(QUILLGRID_CLI NAMES quillgrid-cli PATHS "${_quillgrid_prefix}/bin" NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUILLGRID_CLI)
  set(Quillgrid_FOUND FALSE)
  set(Quillgrid_NOT_FOUND_MESSAGE "quillgrid-cli is not in ${_quillgrid_prefix}/bin")
  return()
endif()
if(NOT TARGET Quillgrid::cli)
  add_executable(Quillgrid::cli IMPORTED)
  set_target_properties(Quillgrid::cli PROPERTIES IMPORTED_LOCATION "${QUILLGRID_CLI}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/QuillgridImages.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/QuillgridFonts.cmake")
