# Little CMS for the Windows builds, the 32-bit Linux build and the fuzz target:
# Debian's own source package (fetched by scripts/setup.sh into
# build/third_party), built once per build tree as a static library. Its
# sources are plain C with no configuration step, so they are compiled here
# with the tree's own compiler and flags (the fuzz target's instrumentation,
# the 32-bit builds' stack alignment).
file(GLOB _lcms_source_dirs ${CMAKE_SOURCE_DIR}/build/third_party/lcms2-*/src/cmsxform.c)
if(NOT _lcms_source_dirs)
    message(FATAL_ERROR "lcms2 source missing: run scripts/setup.sh (make setup) first")
endif()
list(GET _lcms_source_dirs 0 _lcms_xform)
get_filename_component(_lcms_src ${_lcms_xform} DIRECTORY)
get_filename_component(PELLORAN_LCMS_SOURCE ${_lcms_src} DIRECTORY)

file(GLOB _lcms_sources ${_lcms_src}/*.c)
add_library(lcms2_static STATIC ${_lcms_sources})
target_include_directories(lcms2_static SYSTEM PUBLIC ${PELLORAN_LCMS_SOURCE}/include)
set_target_properties(lcms2_static PROPERTIES C_STANDARD 99 POSITION_INDEPENDENT_CODE OFF)
# Always optimised: its transforms run on every colour-managed picture.
target_compile_options(lcms2_static PRIVATE -O2 -w)
target_link_libraries(lcms2_static PUBLIC Threads::Threads)
