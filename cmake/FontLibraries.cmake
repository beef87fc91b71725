# FreeType, behind the fonts: natively Debian's own (libfreetype-dev).
#
# Defines qg_freetype, an interface target to link.
add_library(qg_freetype INTERFACE)
if(NOT WIN32 AND NOT EMSCRIPTEN)
  find_package(Freetype REQUIRED)
  target_link_libraries(qg_freetype INTERFACE Freetype::Freetype)
  return()
endif()

# For the Windows exe and the page, the same version built here from
# Debian's source package (tools/bootstrap unpacks it into build/sources),
# reading gzipped PCF through FreeType's own copy of zlib's inflate. Without
# bzip2, HarfBuzz, Brotli (WOFF2, which every face refuses alike) and PNG
# (colour emoji bitmaps).
if(NOT EXISTS ${QG_SOURCES_DIR}/freetype/CMakeLists.txt)
  message(FATAL_ERROR "${QG_SOURCES_DIR}/freetype holds no source: run tools/bootstrap windows web")
endif()
qg_source_library(freetype freetype
  ARGS -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
       -DFT_DISABLE_PNG=ON -DCMAKE_DISABLE_FIND_PACKAGE_ZLIB=TRUE
  TARGETS freetype
  ARCHIVES libfreetype.a
  INCLUDES @SOURCE@/include @BINARY@/include)
