# dravel_embed_files(<out_var> <qrc_name> <prefix> <glob>...)
#
# Embeds the files matching the globs (relative to the current source folder,
# which also gives their names under the prefix) as one Qt resource and puts
# the generated source into <out_var>.
function(dravel_embed_files out_var qrc_name prefix)
    file(GLOB files CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${ARGN})
    set(entries "")
    foreach(f ${files})
        string(APPEND entries "        <file alias=\"${f}\">${CMAKE_CURRENT_SOURCE_DIR}/${f}</file>\n")
    endforeach()
    set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${qrc_name}.qrc)
    file(CONFIGURE OUTPUT ${qrc} CONTENT
        "<RCC>\n    <qresource prefix=\"${prefix}\">\n${entries}    </qresource>\n</RCC>\n")
    qt5_add_resources(rcc ${qrc})
    set(${out_var} ${rcc} PARENT_SCOPE)
endfunction()
