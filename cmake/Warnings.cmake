# Every target of the project calls this, so the warning set is the same everywhere.
function(carvelle_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual
                                             -Wimplicit-fallthrough)
    # GCC 12 reports false -Wrestrict overlaps inside std::string when optimising (GCC bug
    # 105651); the check is left to clang's builds.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(CARVELLE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
