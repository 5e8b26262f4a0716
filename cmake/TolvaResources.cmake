# Compiles GRC resource files into a module: the C preprocessor resolves the shared resource-id
# header and the version, and the result is embedded as the module's resource section, which
# the host's resource service reads when it loads the module.
set(TOLVA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(tolva_add_resources target)
    cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDES" ${ARGN})
    set(preprocessed)
    set(include_flags)
    foreach(dir ${ARG_INCLUDES})
        list(APPEND include_flags -I${dir})
    endforeach()
    foreach(grc ${ARG_SOURCES})
        get_filename_component(name ${grc} NAME_WE)
        set(out ${CMAKE_CURRENT_BINARY_DIR}/resources/${name}.grc.i)
        add_custom_command(
            OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/resources
            COMMAND ${CMAKE_C_COMPILER} -E -P -x c -undef -nostdinc -Wno-multichar
                    ${include_flags}
                    -DTOLVA_VERSION_MAJOR=${TOLVA_VERSION_MAJOR}
                    -DTOLVA_VERSION_MINOR=${TOLVA_VERSION_MINOR}
                    -DTOLVA_VERSION_PATCH=${TOLVA_VERSION_PATCH}
                    -o ${out} ${grc}
            DEPENDS ${grc}
            IMPLICIT_DEPENDS C ${grc}
            COMMENT "Compiling resources ${name}.grc"
            VERBATIM)
        list(APPEND preprocessed ${out})
    endforeach()
    set(cpp ${CMAKE_CURRENT_BINARY_DIR}/resources/${target}Resources.cpp)
    add_custom_command(
        OUTPUT ${cpp}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${cpp} "-DINPUTS=${preprocessed}" -P ${TOLVA_EMBED_SCRIPT}
        DEPENDS ${preprocessed} ${TOLVA_EMBED_SCRIPT}
        VERBATIM)
    target_sources(${target} PRIVATE ${cpp})
endfunction()
