# What desktops and software centres read (component `system`): the desktop entry, the AppStream
# metainfo with the releases of CHANGELOG.md, and the icon in the hicolor sizes and scalable.
# The entry starts the program by name, so that it is right under any prefix whose bin/ is on
# PATH; a portable folder has no entry (the README says how to add one).
install(FILES ${quadrello_resources}/desktop/${quadrello_app_id}.desktop
        DESTINATION share/applications COMPONENT system ${quadrello_system_only})

set(quadrello_metainfo ${PROJECT_BINARY_DIR}/install/${quadrello_app_id}.metainfo.xml)
configure_file(${quadrello_resources}/desktop/${quadrello_app_id}.metainfo.xml.in
               ${quadrello_metainfo} @ONLY)
install(FILES ${quadrello_metainfo} DESTINATION share/metainfo
        COMPONENT system ${quadrello_system_only})

# resources/icon/quadrello-<N>.png is the N×N picture, quadrello.svg the same drawing scalable.
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${quadrello_resources}/icon/quadrello-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quadrello.png
            COMPONENT system ${quadrello_system_only})
endforeach()
install(FILES ${quadrello_resources}/icon/quadrello.svg
        DESTINATION share/icons/hicolor/scalable/apps COMPONENT system ${quadrello_system_only})

# `cmake --build build --target screenshot`: the main window after computing 1, -3, 2 on the
# end-to-end harness's desktop, to publish at the metainfo's screenshot address.
if(TARGET quadrello)
    set(quadrello_screenshot_dir ${PROJECT_BINARY_DIR}/screenshot)
    add_custom_target(screenshot
        COMMAND ${CMAKE_COMMAND} -E env QUADRELLO_E2E_SCREENSHOT_ONLY=1
                bash ${PROJECT_SOURCE_DIR}/tests/e2e/desktop-e2e.sh $<TARGET_FILE:quadrello>
                ${quadrello_screenshot_dir}
        COMMENT "Screenshot of the main window: ${quadrello_screenshot_dir}/main-window.png"
        VERBATIM)
    add_dependencies(screenshot quadrello)
endif()
