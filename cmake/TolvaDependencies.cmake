# Every third-party input is found here; a missing one stops configuration with its package name.
find_package(PkgConfig REQUIRED)

function(tolva_require_header header package)
    find_path(_found ${header})
    if(NOT _found)
        message(FATAL_ERROR "Missing ${header}: install the Debian package ${package} (Tools/setup.sh does).")
    endif()
    unset(_found CACHE)
endfunction()

tolva_require_header(rapidjson/document.h rapidjson-dev)
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
add_library(tolva_rapidjson INTERFACE)
target_include_directories(tolva_rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIR})

set(EARCUT_INCLUDE_DIR ${CMAKE_SOURCE_DIR}/.deps/include)
if(NOT EXISTS ${EARCUT_INCLUDE_DIR}/mapbox/earcut.hpp)
    message(FATAL_ERROR "Missing mapbox/earcut.hpp in .deps/: run Tools/setup.sh (it takes it from Debian's python-mapbox-earcut source package).")
endif()
add_library(tolva_earcut INTERFACE)
target_include_directories(tolva_earcut SYSTEM INTERFACE ${EARCUT_INCLUDE_DIR})

# The host's WinHTTP runs over libcurl; the tests' local HTTP servers are cpp-httplib.
tolva_require_header(curl/curl.h libcurl4-openssl-dev)
find_package(CURL REQUIRED)

if(TOLVA_BUILD_TESTS)
    find_package(GTest REQUIRED)
    find_package(Threads REQUIRED)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
endif()
if(TOLVA_BUILD_BENCHMARKS)
    find_package(benchmark REQUIRED)
endif()
