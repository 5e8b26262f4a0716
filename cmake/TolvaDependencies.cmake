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

# The host's WinHTTP runs over libcurl.
tolva_require_header(curl/curl.h libcurl4-openssl-dev)
find_package(CURL REQUIRED)

# sentry-native, built by Tools/setup.sh as a shared library (as sentry.dll beside the add-on).
set(SENTRY_PREFIX ${CMAKE_SOURCE_DIR}/.deps/sentry-native)
if(NOT EXISTS ${SENTRY_PREFIX}/lib/libsentry.so OR NOT EXISTS ${SENTRY_PREFIX}/include/sentry.h)
    message(FATAL_ERROR "Missing sentry-native in .deps/: run Tools/setup.sh (it builds sentry-native 0.16.3).")
endif()
add_library(tolva_sentry SHARED IMPORTED)
set_target_properties(tolva_sentry PROPERTIES
    IMPORTED_LOCATION ${SENTRY_PREFIX}/lib/libsentry.so
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${SENTRY_PREFIX}/include
    INTERFACE_INCLUDE_DIRECTORIES ${SENTRY_PREFIX}/include)

# The stand-in's error-reporting receiver and the tests' local HTTP servers are cpp-httplib.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

if(TOLVA_BUILD_TESTS)
    find_package(GTest REQUIRED)
    find_package(Threads REQUIRED)
endif()
if(TOLVA_BUILD_BENCHMARKS)
    find_package(benchmark REQUIRED)
endif()
