# Warnings are errors when CI is set in the environment (or PELLORAN_WERROR is on).
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
    set(_werror_default ON)
else()
    set(_werror_default OFF)
endif()
option(PELLORAN_WERROR "Treat compiler warnings as errors" ${_werror_default})

function(pelloran_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>
        $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<BOOL:${PELLORAN_WERROR}>>:-Werror>)
endfunction()
