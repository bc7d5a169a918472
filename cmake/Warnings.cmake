# Every target of the project calls this, so the warning set is the same everywhere.
function(carvelle_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual
                                             -Wimplicit-fallthrough)
    if(CARVELLE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
