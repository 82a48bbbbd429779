# Embeds a file's bytes into the program as a C++ array.
#   ohmbra_embed(TARGET target SYMBOL name FILE path [DEPENDS target...])
# defines, in namespace embedded:
#   extern const unsigned char name[];  extern const std::size_t nameSize;
# The generated source is rebuilt whenever the file (or a DEPENDS target) changes.
set(OHMBRA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(ohmbra_embed)
    cmake_parse_arguments(ARG "" "TARGET;SYMBOL;FILE" "DEPENDS" ${ARGN})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${ARG_SYMBOL}.cpp)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${ARG_FILE} -DOUTPUT=${output} -DSYMBOL=${ARG_SYMBOL}
                -P ${OHMBRA_EMBED_SCRIPT}
        DEPENDS ${ARG_FILE} ${OHMBRA_EMBED_SCRIPT} ${ARG_DEPENDS}
        COMMENT "Embedding ${ARG_FILE}"
        VERBATIM)
    target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
