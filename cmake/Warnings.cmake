# Warnings are errors when PELLORAN_WERROR is on, and always when CI is set in
# the environment, also in a build tree configured earlier without it.
option(PELLORAN_WERROR "Treat compiler warnings as errors" OFF)
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
    set(PELLORAN_WERROR ON CACHE BOOL "Treat compiler warnings as errors" FORCE)
endif()

function(pelloran_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>
        $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<BOOL:${PELLORAN_WERROR}>>:-Werror>)
endfunction()
