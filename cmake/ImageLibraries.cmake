# The image libraries behind JPEG and WebP: natively Debian's own
# (libjpeg62-turbo-dev, libwebp-dev); for the Windows exe and the page the
# same versions built here from Debian's source packages, which
# tools/bootstrap unpacks into build/sources. Each is built static, with
# this build's compiler and flags, and without SIMD, which the cross
# builds have no assembler for (the decoded pixels are the same: a test
# holds every face to the same bytes).
#
# Defines qg_jpeg and qg_webp, interface targets to link.

add_library(qg_jpeg INTERFACE)
add_library(qg_webp INTERFACE)

if(NOT WIN32 AND NOT EMSCRIPTEN)
  find_package(JPEG REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(QG_WEBP REQUIRED IMPORTED_TARGET libwebp libwebpdemux)
  target_link_libraries(qg_jpeg INTERFACE JPEG::JPEG)
  target_link_libraries(qg_webp INTERFACE PkgConfig::QG_WEBP)
  return()
endif()

include(ExternalProject)
set(QG_SOURCES_DIR ${CMAKE_SOURCE_DIR}/build/sources CACHE PATH
    "Where tools/bootstrap unpacked the libraries' Debian source packages")
foreach(source libjpeg-turbo libwebp)
  if(NOT EXISTS ${QG_SOURCES_DIR}/${source}/CMakeLists.txt)
    message(FATAL_ERROR "${QG_SOURCES_DIR}/${source} holds no source: run tools/bootstrap windows web")
  endif()
endforeach()

# What every library's build takes from this one: the compilers and their
# toolchain, and in a release no folder of ours in what it makes.
set(QG_LIBRARY_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release)
if(QG_RELEASE)
  list(APPEND QG_LIBRARY_ARGS
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=${QG_SOURCES_DIR}=sources -ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
endif()

# A library built in build/NAME, its archives as imported targets.
function(qg_source_library name source)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ARGS;ARCHIVES;INCLUDES;TARGETS")
  set(binary ${CMAKE_BINARY_DIR}/${name})
  set(archives)
  foreach(archive ${arg_ARCHIVES})
    list(APPEND archives ${binary}/${archive})
  endforeach()
  ExternalProject_Add(${name}_build
    SOURCE_DIR ${QG_SOURCES_DIR}/${source}
    BINARY_DIR ${binary}
    CMAKE_ARGS ${QG_LIBRARY_ARGS} ${arg_ARGS} -DCMAKE_INSTALL_PREFIX=${binary}/unused
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${binary} --target ${arg_TARGETS}
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${archives}
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_OUTPUT_ON_FAILURE ON)
  set(includes)
  foreach(include ${arg_INCLUDES})
    string(REPLACE "@SOURCE@" ${QG_SOURCES_DIR}/${source} include ${include})
    string(REPLACE "@BINARY@" ${binary} include ${include})
    list(APPEND includes ${include})
  endforeach()
  set(libraries)
  foreach(archive ${archives})
    get_filename_component(part ${archive} NAME_WE)
    add_library(${name}_${part} STATIC IMPORTED GLOBAL)
    set_target_properties(${name}_${part} PROPERTIES IMPORTED_LOCATION ${archive})
    add_dependencies(${name}_${part} ${name}_build)
    list(APPEND libraries ${name}_${part})
  endforeach()
  target_link_libraries(qg_${name} INTERFACE ${libraries})
  target_include_directories(qg_${name} SYSTEM INTERFACE ${includes})
endfunction()

# CMake's type-size checks come out wrong under emscripten (a size_t of 7
# bytes): the page's sizes are given.
set(QG_JPEG_SIZES)
if(EMSCRIPTEN)
  set(QG_JPEG_SIZES -DHAVE_SIZE_T=1 -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=1 -DUNSIGNED_LONG=4)
endif()
qg_source_library(jpeg libjpeg-turbo
  ARGS -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF ${QG_JPEG_SIZES}
  TARGETS jpeg-static
  ARCHIVES libjpeg.a
  INCLUDES @SOURCE@ @BINARY@)
qg_source_library(webp libwebp
  ARGS -DBUILD_SHARED_LIBS=OFF -DWEBP_USE_THREAD=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF
       -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF
       -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF
  TARGETS webpdemux webpdecoder
  ARCHIVES libwebpdemux.a libwebpdecoder.a
  INCLUDES @SOURCE@/src)
