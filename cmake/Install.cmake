# `cmake --install <build> --prefix P` gives a self-contained folder:
#   P/bin/quadrello, with config.ini and skin.ski beside it (the program keeps both in its own
#   folder), P/bin/quadrello-cli, P/share/applications/quadrello.desktop and the icon in the
#   hicolor sizes, P/share/icons/hicolor/<N>x<N>/apps/quadrello.png.
set(quadrello_bin_dir bin)
set(quadrello_resources ${PROJECT_SOURCE_DIR}/resources)

foreach(program IN ITEMS quadrello quadrello-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${quadrello_bin_dir})
    endif()
endforeach()

# The skin is program data: a new install brings the new one.
file(GLOB quadrello_skin_default ${quadrello_resources}/skin/skin.ski)
if(quadrello_skin_default)
    install(FILES ${quadrello_skin_default} DESTINATION ${quadrello_bin_dir})
endif()

# config.ini holds the user's switches: the program's default (src/app/DefaultConfig.cmake, the
# same one the build puts beside the executable) is written only where there is none yet, so
# that installing again over a folder never loses them.
set(quadrello_config_script ${PROJECT_SOURCE_DIR}/src/app/DefaultConfig.cmake)
if(EXISTS ${quadrello_config_script})
    install(CODE "
        set(DEST \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}/config.ini\")
        message(STATUS \"Default (kept when present): \${DEST}\")
        include(\"${quadrello_config_script}\")")
endif()

# The desktop entry starts the installed program by its full path when the prefix is a plain
# path (the folder need not be on PATH); otherwise by name.
install(CODE "
    file(READ \"${quadrello_resources}/desktop/quadrello.desktop\" entry)
    set(program \"\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}/quadrello\")
    if(program MATCHES \"^/[A-Za-z0-9/._+-]*$\")
        string(REGEX REPLACE \"\\nExec=quadrello\\n\" \"\\nExec=\${program}\\n\" entry \"\${entry}\")
        string(REGEX REPLACE \"\\nTryExec=quadrello\\n\" \"\\nTryExec=\${program}\\n\" entry \"\${entry}\")
    endif()
    set(desktop \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/quadrello.desktop\")
    message(STATUS \"Installing: \${desktop}\")
    file(WRITE \"\${desktop}\" \"\${entry}\")")

# resources/icon/quadrello-<N>.png is the N×N picture.
file(GLOB quadrello_icons ${quadrello_resources}/icon/quadrello-*.png)
foreach(icon IN LISTS quadrello_icons)
    if(icon MATCHES "quadrello-([0-9]+)\\.png$")
        set(size ${CMAKE_MATCH_1})
        install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps
                RENAME quadrello.png)
    endif()
endforeach()
