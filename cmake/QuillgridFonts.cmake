# quillgrid_add_fonts(TARGET <target> HEADER <name.h> FONT <files...>
#                     SIZE <pixels> [GLYPHS <set>] [TEXT <file>]
#                     [FORM --gfx-font|--vlw-array|--lvgl-font|--u8g2-font]
#                     [NAME <name>]
#                     [OPTIONS <quillgrid-cli options...>])
#
# Makes a font with quillgrid-cli when <target> is built (not when the
# project is configured): the glyphs of GLYPHS (ascii by default; ranges
# and sets as --glyphs takes them) and every character of TEXT (a UI's
# strings), from the FONT files in order (each character from the first
# that has it), SIZE pixels to the em (a bitmap font: its own size, SIZE
# 0), in FORM (--gfx-font, Adafruit GFX's, by default; --vlw-array,
# TFT_eSPI's; --lvgl-font, LVGL 9's, whose C file, HEADER <name.c>, joins
# <target>'s sources; --u8g2-font, u8g2's) named NAME (the file's name as a C identifier by
# default). <name.h> is the font; its folder is added to <target>'s
# include path.
# The font is made again only when a FONT, the TEXT, the options or
# quillgrid-cli itself changes. A target may take any number of fonts,
# each from a call of its own.
function(quillgrid_add_fonts)
  cmake_parse_arguments(PARSE_ARGV 0 QGF "" "TARGET;HEADER;SIZE;GLYPHS;TEXT;FORM;NAME" "FONT;OPTIONS")
  if(NOT QGF_TARGET OR NOT TARGET "${QGF_TARGET}")
    message(FATAL_ERROR "quillgrid_add_fonts: TARGET names no target: '${QGF_TARGET}'")
  endif()
  if(NOT QGF_HEADER OR NOT QGF_FONT OR "${QGF_SIZE}" STREQUAL "")
    message(FATAL_ERROR "quillgrid_add_fonts: give HEADER <name.h>, FONT <files...> and SIZE <pixels>")
  endif()
  if(NOT QGF_FORM)
    set(QGF_FORM --gfx-font)
  endif()
  if(NOT QGF_FORM MATCHES "^--(gfx-font|vlw-array|lvgl-font|u8g2-font)$")
    message(FATAL_ERROR
      "quillgrid_add_fonts: FORM is --gfx-font, --vlw-array, --lvgl-font or --u8g2-font, not '${QGF_FORM}'")
  endif()
  get_filename_component(stem "${QGF_HEADER}" NAME_WE)
  if(NOT QGF_NAME)
    string(MAKE_C_IDENTIFIER "${stem}" QGF_NAME)
  endif()

  string(MAKE_C_IDENTIFIER "${QGF_HEADER}" header_id)
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/quillgrid/${QGF_TARGET}/fonts/${header_id}")
  set(step "${QGF_TARGET}_quillgrid_font_${header_id}")
  if(TARGET "${step}")
    message(FATAL_ERROR "quillgrid_add_fonts: ${QGF_TARGET} already has a font ${QGF_HEADER}")
  endif()
  set(options ${QGF_FORM} ${QGF_NAME} ${QGF_OPTIONS})
  if(NOT QGF_SIZE EQUAL 0)
    list(APPEND options --font-size ${QGF_SIZE})
  endif()
  if(QGF_GLYPHS)
    list(APPEND options --glyphs ${QGF_GLYPHS})
  endif()
  set(depends "")
  if(QGF_TEXT)
    get_filename_component(text "${QGF_TEXT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND options --text "${text}")
    list(APPEND depends "${text}")
  endif()
  set(fonts "")
  foreach(font IN LISTS QGF_FONT)
    get_filename_component(path "${font}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND fonts "${path}")
  endforeach()
  # The options as a file that changes only when they do, so that make too
  # makes the font again when they change.
  string(JOIN "\n" words ${options})
  file(CONFIGURE OUTPUT "${dir}/options.txt" CONTENT "${words}\n" @ONLY)
  get_target_property(cli Quillgrid::cli IMPORTED_LOCATION)
  add_custom_command(
    OUTPUT "${dir}/${QGF_HEADER}"
    COMMAND Quillgrid::cli ${options} -o "${dir}/${QGF_HEADER}" -- ${fonts}
    DEPENDS ${fonts} ${depends} "${cli}" "${dir}/options.txt"
    COMMENT "quillgrid-cli: ${QGF_HEADER}"
    VERBATIM)
  add_custom_target("${step}" DEPENDS "${dir}/${QGF_HEADER}")
  add_dependencies("${QGF_TARGET}" "${step}")
  if(QGF_FORM STREQUAL "--lvgl-font")
    target_sources("${QGF_TARGET}" PRIVATE "${dir}/${QGF_HEADER}")
  endif()
  target_include_directories("${QGF_TARGET}" PRIVATE "${dir}")
endfunction()
