# The JPEG library, as target tvm_jpeg: natively Debian's libjpeg62-turbo-dev; for the Windows
# targets the static library that tools/build-libjpeg.sh builds from the same source package
# (make deps runs it) into build/deps/libjpeg/<mingw target>.
add_library(tvm_jpeg INTERFACE)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG REQUIRED)
  target_link_libraries(tvm_jpeg INTERFACE JPEG::JPEG)
  return()
endif()
set(TVM_JPEG_DIR "${CMAKE_SOURCE_DIR}/build/deps/libjpeg/${TVM_MINGW_PREFIX}" CACHE PATH
    "The JPEG library built for this Windows target")
if(NOT EXISTS "${TVM_JPEG_DIR}/lib/libjpeg.a" OR NOT EXISTS "${TVM_JPEG_DIR}/include/jpeglib.h")
  message(FATAL_ERROR "No JPEG library for ${TVM_MINGW_PREFIX} in ${TVM_JPEG_DIR}: "
    "run 'make deps' (or tools/build-libjpeg.sh ${TVM_MINGW_PREFIX}) first")
endif()
add_library(tvm_jpeg_static STATIC IMPORTED)
set_target_properties(tvm_jpeg_static PROPERTIES IMPORTED_LOCATION "${TVM_JPEG_DIR}/lib/libjpeg.a")
target_include_directories(tvm_jpeg INTERFACE "${TVM_JPEG_DIR}/include")
target_link_libraries(tvm_jpeg INTERFACE tvm_jpeg_static)
