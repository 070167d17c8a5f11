# The documents of the system layout (component `system`), made at configure time:
#   share/doc/quadrello/copyright      machine-readable (DEP-5), the licence text from LICENSE
#   share/doc/quadrello/changelog.gz   the Debian changelog made from CHANGELOG.md
#   share/man/man1/*.1.gz, share/man/zh_CN/man1/*.1.gz   from man/, version and date filled in
# Compressed as Debian's tools do: gzip -9n (no name, no time stamp, the same bytes every time).
set(quadrello_docs ${PROJECT_BINARY_DIR}/install/doc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${quadrello_resources}/debian/copyright.in)

function(quadrello_gzip file)
    execute_process(COMMAND gzip -9nc INPUT_FILE ${file} OUTPUT_FILE ${file}.gz
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The licence paragraph of a DEP-5 file: the terms of LICENSE from "Permission" on (its title
# and copyright line are said in the file's own fields), every line indented by one blank,
# empty lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission" start)
string(SUBSTRING "${licence}" ${start} -1 licence)
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REPLACE "\n" ";" licence_lines "${licence}")
set(quadrello_licence_text "")
foreach(line IN LISTS licence_lines)
    if(line STREQUAL "")
        string(APPEND quadrello_licence_text "\n .")
    else()
        string(APPEND quadrello_licence_text "\n ${line}")
    endif()
endforeach()
string(SUBSTRING "${quadrello_licence_text}" 1 -1 quadrello_licence_text)
configure_file(${quadrello_resources}/debian/copyright.in ${quadrello_docs}/copyright @ONLY)

file(WRITE ${quadrello_docs}/changelog "${quadrello_debian_changelog}")
quadrello_gzip(${quadrello_docs}/changelog)
install(FILES ${quadrello_docs}/copyright ${quadrello_docs}/changelog.gz
        DESTINATION share/doc/quadrello COMPONENT system ${quadrello_system_only})

foreach(page IN ITEMS quadrello quadrello-cli)
    foreach(language IN ITEMS "" zh_CN)
        set(source ${PROJECT_SOURCE_DIR}/man/${language}/${page}.1.in)
        set(made ${quadrello_docs}/man/${language}/${page}.1)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
        configure_file(${source} ${made} @ONLY)
        quadrello_gzip(${made})
        cmake_path(SET folder NORMALIZE share/man/${language}/man1)
        install(FILES ${made}.gz DESTINATION ${folder}
                COMPONENT system ${quadrello_system_only})
    endforeach()
endforeach()
