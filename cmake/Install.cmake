# Installation, in one of two layouts built from the same install components:
#   program   P/bin/quadrello, P/bin/quadrello-cli, the desktop entry, the AppStream metainfo and
#             the icon in the hicolor sizes (share/icons/hicolor/<N>x<N>/apps/quadrello.png)
#   system    the shipped defaults and the skin in P/share/quadrello/: the program reads them from
#             there, and keeps each user's switches in the user's own configuration folder
#   portable  config.ini and skin.ski beside the program in P/bin/, as in the build tree: one
#             self-contained folder that keeps its switches inside itself
# `cmake --install` installs `program` and the layout that QUADRELLO_PORTABLE picks;
# `--component` installs either layout from any build.
option(QUADRELLO_PORTABLE
       "cmake --install gives one self-contained folder instead of the system layout" OFF)
set(quadrello_app_id com.tarvenn.quadrello)
set(quadrello_bin_dir bin)
set(quadrello_data_dir share/quadrello)
set(quadrello_resources ${PROJECT_SOURCE_DIR}/resources)
if(QUADRELLO_PORTABLE)
    set(quadrello_system_only EXCLUDE_FROM_ALL)
    set(quadrello_portable_only)
else()
    set(quadrello_system_only)
    set(quadrello_portable_only EXCLUDE_FROM_ALL)
endif()

foreach(program IN ITEMS quadrello quadrello-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${quadrello_bin_dir} COMPONENT program)
    endif()
endforeach()

# The shipped defaults: src/app/DefaultConfig.cmake writes the same file the build puts beside
# the executable.
set(quadrello_config_script ${PROJECT_SOURCE_DIR}/src/app/DefaultConfig.cmake)
set(quadrello_default_config ${PROJECT_BINARY_DIR}/install/config.ini)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${quadrello_config_script})
file(REMOVE ${quadrello_default_config})
execute_process(COMMAND ${CMAKE_COMMAND} -DDEST=${quadrello_default_config}
                        -P ${quadrello_config_script})

# System layout: defaults and skin are program data, replaced by every install; nobody's
# switches are stored there.
install(FILES ${quadrello_default_config} ${quadrello_resources}/skin/skin.ski
        DESTINATION ${quadrello_data_dir} COMPONENT system ${quadrello_system_only})

# Portable layout: the skin is program data, but config.ini beside the program holds the user's
# switches, so the default is written only where there is none yet: installing again over the
# folder never loses them.
install(FILES ${quadrello_resources}/skin/skin.ski
        DESTINATION ${quadrello_bin_dir} COMPONENT portable ${quadrello_portable_only})
install(CODE "
    set(DEST \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}/config.ini\")
    message(STATUS \"Default (kept when present): \${DEST}\")
    include(\"${quadrello_config_script}\")"
    COMPONENT portable ${quadrello_portable_only})

# The desktop entry starts the installed program by its full path when the prefix is a plain
# path (the folder need not be on PATH); otherwise by name.
install(CODE "
    file(READ \"${quadrello_resources}/desktop/${quadrello_app_id}.desktop\" entry)
    set(executable \"\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}/quadrello\")
    if(executable MATCHES \"^/[A-Za-z0-9/._+-]*$\")
        string(REGEX REPLACE \"\\nExec=quadrello\\n\" \"\\nExec=\${executable}\\n\" entry \"\${entry}\")
        string(REGEX REPLACE \"\\nTryExec=quadrello\\n\" \"\\nTryExec=\${executable}\\n\" entry \"\${entry}\")
    endif()
    set(desktop \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${quadrello_app_id}.desktop\")
    message(STATUS \"Installing: \${desktop}\")
    file(WRITE \"\${desktop}\" \"\${entry}\")"
    COMPONENT program)
install(FILES ${quadrello_resources}/desktop/${quadrello_app_id}.metainfo.xml
        DESTINATION share/metainfo COMPONENT program)

# resources/icon/quadrello-<N>.png is the N×N picture.
foreach(size IN ITEMS 16 32 48 64 128)
    install(FILES ${quadrello_resources}/icon/quadrello-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quadrello.png
            COMPONENT program)
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
