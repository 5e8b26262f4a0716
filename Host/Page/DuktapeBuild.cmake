# Debian's duktape-dev ships the single-file engine source; we compile it ourselves as C++ so that
# an engine error unwinds C++ frames and a runaway page script is stopped by a time check. The
# configuration header is the installed one with our options added where it expects overrides.
set(DUKTAPE_SOURCE_DIR /usr/share/duktape)
if(NOT EXISTS ${DUKTAPE_SOURCE_DIR}/duktape.c OR NOT EXISTS ${DUKTAPE_SOURCE_DIR}/duk_config.h)
    message(FATAL_ERROR "Missing ${DUKTAPE_SOURCE_DIR}/duktape.c: install the Debian package duktape-dev (Tools/setup.sh does).")
endif()

set(DUKTAPE_BUILD_DIR ${CMAKE_CURRENT_BINARY_DIR}/duktape)
file(READ ${DUKTAPE_SOURCE_DIR}/duk_config.h duk_config)
set(override_marker "/* __OVERRIDE_DEFINES__ */")
string(FIND "${duk_config}" "${override_marker}" marker_at)
if(marker_at EQUAL -1)
    message(FATAL_ERROR "${DUKTAPE_SOURCE_DIR}/duk_config.h has no override section; cannot add the page runtime's options.")
endif()
string(REPLACE "${override_marker}" "${override_marker}
#define DUK_USE_CPP_EXCEPTIONS
#define DUK_USE_INTERRUPT_COUNTER
/* Implemented by the page runtime; udata is the heap's user data. */
duk_bool_t tolva_page_time_is_up(void* udata);
#define DUK_USE_EXEC_TIMEOUT_CHECK(udata) tolva_page_time_is_up(udata)" duk_config "${duk_config}")
# Written through configure_file so that an unchanged header does not rebuild the engine.
file(WRITE ${DUKTAPE_BUILD_DIR}/duk_config.h.new "${duk_config}")
configure_file(${DUKTAPE_BUILD_DIR}/duk_config.h.new ${DUKTAPE_BUILD_DIR}/duk_config.h COPYONLY)
# Beside the derived header, so that their quoted includes find it and not the installed one.
configure_file(${DUKTAPE_SOURCE_DIR}/duktape.h ${DUKTAPE_BUILD_DIR}/duktape.h COPYONLY)
configure_file(${DUKTAPE_SOURCE_DIR}/duktape.c ${DUKTAPE_BUILD_DIR}/duktape.cpp COPYONLY)

add_library(tolva_duktape STATIC ${DUKTAPE_BUILD_DIR}/duktape.cpp)
target_include_directories(tolva_duktape SYSTEM PUBLIC ${DUKTAPE_BUILD_DIR})
target_link_libraries(tolva_duktape PRIVATE m)
# Third-party code: its own warnings are not ours to fix.
target_compile_options(tolva_duktape PRIVATE -w)
