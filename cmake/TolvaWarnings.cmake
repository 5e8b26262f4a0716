# Our own targets build with all warnings; third-party code does not go through this. Warnings are
# errors in the developer build types (no type, Debug, RelWithDebInfo) and in CI, which builds
# Release with -DTOLVA_WARNINGS_AS_ERRORS=ON; in Release and MinSizeRel they are only reported, so
# that a newer compiler's new warning never stops a user's build.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
    set(tolvaWarningsAsErrorsDefault OFF)
else()
    set(tolvaWarningsAsErrorsDefault ON)
endif()
option(TOLVA_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" ${tolvaWarningsAsErrorsDefault})

function(tolva_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${TOLVA_WARNINGS_AS_ERRORS}>:-Werror>)
endfunction()
