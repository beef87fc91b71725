# LZ4, behind the compressed images: natively Debian's own (liblz4-dev).
#
# Defines qg_lz4, an interface target to link.
add_library(qg_lz4 INTERFACE)
if(NOT WIN32 AND NOT EMSCRIPTEN)
  find_path(QG_LZ4_INCLUDE lz4hc.h REQUIRED)
  find_library(QG_LZ4_LIBRARY lz4 REQUIRED)
  target_include_directories(qg_lz4 SYSTEM INTERFACE ${QG_LZ4_INCLUDE})
  target_link_libraries(qg_lz4 INTERFACE ${QG_LZ4_LIBRARY})
  return()
endif()

# For the Windows exe and the page, the same version's block compressors
# built here from Debian's source package (tools/bootstrap unpacks it into
# build/sources): lz4.c and lz4hc.c are the whole of them.
set(QG_LZ4_SOURCE ${QG_SOURCES_DIR}/lz4/lib)
if(NOT EXISTS ${QG_LZ4_SOURCE}/lz4hc.c)
  message(FATAL_ERROR "${QG_SOURCES_DIR}/lz4 holds no source: run tools/bootstrap windows web")
endif()
enable_language(C)
add_library(qg_lz4_source STATIC ${QG_LZ4_SOURCE}/lz4.c ${QG_LZ4_SOURCE}/lz4hc.c)
target_include_directories(qg_lz4_source SYSTEM PUBLIC ${QG_LZ4_SOURCE})
target_link_libraries(qg_lz4 INTERFACE qg_lz4_source)
