# quillgrid_add_images(TARGET <target> HEADER <name.h> IMAGES <files...>
#                      [OPTIONS <quillgrid-cli options...>])
#
# Converts each image with quillgrid-cli when <target> is built (not when
# the project is configured) into the C form the OPTIONS ask for
# (--c-array by default, or --lvgl), each array named after its image file
# (logo.png gives logo; a name that is no C identifier has its other
# characters made '_'), or, for one image, the NAME of an OPTIONS
# --c-array NAME. <name.h> includes the arrays; with --lvgl the
# descriptors' C files are added to <target>'s sources and <name.h>
# declares them. The header's folder is added to <target>'s include path.
# An image's conversion runs again only when the image, the OPTIONS or
# quillgrid-cli itself changes, and then for that image alone. A target may
# take any number of headers, each from a call of its own.
function(quillgrid_add_images)
  # A prefix of its own: a keyword not given leaves its variable unset, and
  # a cache variable of the same name (a project's -DQG_OPTIONS) shows through.
  cmake_parse_arguments(PARSE_ARGV 0 QGI "" "TARGET;HEADER" "IMAGES;OPTIONS")
  if(NOT QGI_TARGET OR NOT TARGET "${QGI_TARGET}")
    message(FATAL_ERROR "quillgrid_add_images: TARGET names no target: '${QGI_TARGET}'")
  endif()
  if(NOT QGI_HEADER OR NOT QGI_IMAGES)
    message(FATAL_ERROR "quillgrid_add_images: give HEADER <name.h> and IMAGES <files...>")
  endif()
  # A form's own name option is set for each image; the rest is passed on.
  set(form "--c-array")
  set(given "")
  set(options "")
  set(take_name "")
  foreach(word IN LISTS QGI_OPTIONS)
    if(take_name)
      set(given "${word}")
      set(take_name "")
    elseif(word STREQUAL "--c-array" OR word STREQUAL "--lvgl")
      set(form "${word}")
      set(take_name TRUE)
    else()
      list(APPEND options "${word}")
    endif()
  endforeach()
  list(LENGTH QGI_IMAGES count)
  if(given AND NOT count EQUAL 1)
    message(FATAL_ERROR "quillgrid_add_images: ${form} ${given} names one image, and IMAGES has ${count}")
  endif()

  # Each header's own folder, parts and options, and a target of its own.
  string(MAKE_C_IDENTIFIER "${QGI_HEADER}" header_id)
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/quillgrid/${QGI_TARGET}/${header_id}")
  set(step "${QGI_TARGET}_quillgrid_${header_id}")
  if(TARGET "${step}")
    message(FATAL_ERROR "quillgrid_add_images: ${QGI_TARGET} already has a header ${QGI_HEADER}")
  endif()
  # The options as a file that changes only when they do, so that make too
  # converts again when they change (ninja also sees the command change).
  string(JOIN "\n" text ${options})
  file(CONFIGURE OUTPUT "${dir}/options.txt" CONTENT "${text}\n" @ONLY)
  get_target_property(cli Quillgrid::cli IMPORTED_LOCATION)
  get_filename_component(guard "${QGI_HEADER}" NAME)
  string(MAKE_C_IDENTIFIER "QUILLGRID_${guard}" guard)
  string(TOUPPER "${guard}" guard)
  set(header "#ifndef ${guard}\n#define ${guard}\n\n")
  if(form STREQUAL "--lvgl")
    string(APPEND header "#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n#include \"lvgl.h\"\n#else\n"
                         "#include \"lvgl/lvgl.h\"\n#endif\n\n")
  endif()
  set(parts "")
  foreach(image IN LISTS QGI_IMAGES)
    get_filename_component(path "${image}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(stem "${image}" NAME_WE)
    string(MAKE_C_IDENTIFIER "${stem}" name)
    if(given)
      set(name "${given}")
    endif()
    if(form STREQUAL "--lvgl")
      set(part "${dir}/parts/${name}.c")
    else()
      set(part "${dir}/parts/${name}.h")
    endif()
    add_custom_command(
      OUTPUT "${part}"
      COMMAND Quillgrid::cli ${options} ${form} ${name} -o "${part}" -- "${path}"
      DEPENDS "${path}" "${cli}" "${dir}/options.txt"
      COMMENT "quillgrid-cli: ${image}"
      VERBATIM)
    list(APPEND parts "${part}")
    if(form STREQUAL "--lvgl")
      string(APPEND header "extern const lv_image_dsc_t ${name};\n")
    else()
      string(APPEND header "#include \"parts/${name}.h\"\n")
    endif()
  endforeach()
  string(APPEND header "\n#endif\n")
  file(CONFIGURE OUTPUT "${dir}/${QGI_HEADER}" CONTENT "${header}" @ONLY)
  add_custom_target("${step}" DEPENDS ${parts})
  if(form STREQUAL "--lvgl")
    target_sources("${QGI_TARGET}" PRIVATE ${parts})
  endif()
  add_dependencies("${QGI_TARGET}" "${step}")
  target_include_directories("${QGI_TARGET}" PRIVATE "${dir}")
endfunction()
