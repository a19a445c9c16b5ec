# libjpeg-turbo for the Windows builds: Debian's own source package (fetched by
# scripts/setup.sh into build/third_party), built once per build tree as a static
# library with its SIMD code. It is an external project because its CMake files
# do not support add_subdirectory.
include(ExternalProject)

file(GLOB _jpeg_source_dirs ${CMAKE_SOURCE_DIR}/build/third_party/libjpeg-turbo-*/CMakeLists.txt)
if(NOT _jpeg_source_dirs)
    message(FATAL_ERROR "libjpeg-turbo source missing: run scripts/setup.sh (make setup) first")
endif()
list(GET _jpeg_source_dirs 0 _jpeg_cmakelists)
get_filename_component(PELLORAN_JPEG_SOURCE ${_jpeg_cmakelists} DIRECTORY)

set(_jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(_jpeg_extra_args)
if(PELLORAN_FUZZ)
    # Instrumented for coverage and AddressSanitizer like the fuzz target itself.
    set(_jpeg_extra_args
        -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
        "-DCMAKE_C_FLAGS=-fsanitize=address,fuzzer-no-link -fno-omit-frame-pointer")
endif()
set(_jpeg_library ${_jpeg_prefix}/lib/libjpeg.a)
ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR ${PELLORAN_JPEG_SOURCE}
    BINARY_DIR ${_jpeg_prefix}-build
    INSTALL_DIR ${_jpeg_prefix}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_SYSTEM_PROCESSOR=${CMAKE_SYSTEM_PROCESSOR}
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        -DCMAKE_BUILD_TYPE=Release
        -DENABLE_SHARED=OFF
        -DENABLE_STATIC=ON
        -DWITH_TURBOJPEG=OFF
        -DWITH_SIMD=ON
        ${_jpeg_extra_args}
    BUILD_BYPRODUCTS ${_jpeg_library}
    UPDATE_COMMAND ""
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_INSTALL ON)

file(MAKE_DIRECTORY ${_jpeg_prefix}/include)
add_library(libjpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg_static PROPERTIES
    IMPORTED_LOCATION ${_jpeg_library}
    INTERFACE_INCLUDE_DIRECTORIES ${_jpeg_prefix}/include)
add_dependencies(libjpeg_static libjpeg_turbo)
