# The add-on against Archicad 29's own DevKit headers (Tools/devkit-check, docs/devkit-headers.md):
# Src/ compiles against them on the Windows path, and the stand-in declares every name Src/ uses as
# they do. Both fail, saying why, when the DevKit or the tools are not there; `ctest -L devkit` picks them.
set(AC_API_DEVKIT_DIR ${CMAKE_SOURCE_DIR}/.deps/archicad-devkit-29.3100
    CACHE PATH "The Archicad API DevKit (its Support folder, or a folder above it)")
if(NOT EXISTS ${AC_API_DEVKIT_DIR})
    message(STATUS "No DevKit at ${AC_API_DEVKIT_DIR} (Tools/setup.sh unpacks it): the DevKit tests will fail")
endif()

set(devkitCheckDir ${CMAKE_SOURCE_DIR}/Tools/devkit-check)
add_test(NAME SrcCompilesAgainstTheDevKit
    COMMAND ${devkitCheckDir}/check.sh -q -p win -j 2 -o ${CMAKE_BINARY_DIR}/devkit-check/win
        ${AC_API_DEVKIT_DIR} ${CMAKE_SOURCE_DIR})
add_test(NAME StandInDeclaresWhatTheDevKitDeclares
    COMMAND ${devkitCheckDir}/compare-standin.py --platform win --build ${CMAKE_BINARY_DIR}
        --exceptions ${CMAKE_SOURCE_DIR}/docs/devkit-headers.md
        --out ${CMAKE_BINARY_DIR}/devkit-check/standin-compare.tsv ${AC_API_DEVKIT_DIR} ${CMAKE_SOURCE_DIR})
# About two minutes each on two cores; the syntax check runs two compilers at once.
set_tests_properties(SrcCompilesAgainstTheDevKit PROPERTIES LABELS devkit TIMEOUT 900 PROCESSORS 2)
set_tests_properties(StandInDeclaresWhatTheDevKitDeclares PROPERTIES LABELS devkit TIMEOUT 900 PROCESSORS 1)
