# Installation, in one of two layouts built from the same install components:
#   program   P/bin/quadrello and P/bin/quadrello-cli
#   system    the shipped defaults and the skin in P/share/quadrello/ (the program reads them from
#             there and keeps each user's switches in the user's own configuration folder), the
#             desktop entry, the AppStream metainfo, the icons, the manual pages, the copyright
#             and the changelog (cmake/InstallMetadata.cmake, cmake/InstallDocs.cmake)
#   portable  config.ini and skin.ski beside the program in P/bin/, as in the build tree: one
#             self-contained folder that keeps its switches and its skin inside itself
# `cmake --install` installs `program` and the layout that QUADRELLO_PORTABLE picks;
# `--component` installs either layout from any build.
option(QUADRELLO_PORTABLE
       "cmake --install gives one self-contained folder instead of the system layout" OFF)
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

# A portable folder writes beside the program: never into a prefix that the system and every
# user share, whose bin/ is on PATH. Checked here for the configured prefix and again when the
# portable component is installed (`--prefix` can change it then). The install script runs
# without this project's policies, so its variables have names no quoted text there has.
set(quadrello_system_prefixes / /usr /usr/local /opt "$ENV{HOME}/.local")
set(quadrello_check_portable_prefix [=[
    cmake_path(SET quadrello_prefix NORMALIZE "${CMAKE_INSTALL_PREFIX}/")
    foreach(quadrello_shared IN LISTS quadrello_system_prefixes)
        cmake_path(SET quadrello_shared NORMALIZE "${quadrello_shared}/")
        if(quadrello_prefix STREQUAL quadrello_shared)
            message(FATAL_ERROR "A portable Quadrello keeps config.ini and skin.ski beside the "
                "program, in ${CMAKE_INSTALL_PREFIX}/bin: that is the system prefix "
                "${CMAKE_INSTALL_PREFIX}, shared by everything installed there. Give the "
                "portable folder a prefix of its own, e.g. -DCMAKE_INSTALL_PREFIX=$HOME/Quadrello "
                "(or cmake --install BUILD --prefix $HOME/Quadrello).")
        endif()
    endforeach()
]=])
if(QUADRELLO_PORTABLE)
    cmake_language(EVAL CODE "${quadrello_check_portable_prefix}")
endif()

foreach(program IN ITEMS quadrello quadrello-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${quadrello_bin_dir} COMPONENT program)
        # A stripped install (the package's) also drops the sections Debian's strip drops.
        if(NOT WIN32 AND CMAKE_OBJCOPY)
            install(CODE "
                if(CMAKE_INSTALL_DO_STRIP)
                    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                        --remove-section=.note
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}/${program}\"
                        COMMAND_ERROR_IS_FATAL ANY)
                endif()"
                COMPONENT program)
        endif()
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

# Portable layout: config.ini and skin.ski beside the program are the user's, so each is written
# only where there is none yet; installing again over the folder never loses an edit. A skin that
# differs from the shipped one is kept, and the shipped one is put beside it as skin.ski.new.
install(CODE "
    set(quadrello_system_prefixes \"${quadrello_system_prefixes}\")
    ${quadrello_check_portable_prefix}
    set(quadrello_folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${quadrello_bin_dir}\")
    set(quadrello_shipped \"${quadrello_resources}/skin/skin.ski\")
    file(MAKE_DIRECTORY \"\${quadrello_folder}\")
    if(NOT EXISTS \"\${quadrello_folder}/skin.ski\")
        message(STATUS \"Installing: \${quadrello_folder}/skin.ski\")
        file(COPY_FILE \"\${quadrello_shipped}\" \"\${quadrello_folder}/skin.ski\")
    else()
        file(SHA256 \"\${quadrello_shipped}\" quadrello_new)
        file(SHA256 \"\${quadrello_folder}/skin.ski\" quadrello_old)
        if(quadrello_new STREQUAL quadrello_old)
            message(STATUS \"Up-to-date: \${quadrello_folder}/skin.ski\")
        else()
            message(STATUS \"Kept (edited): \${quadrello_folder}/skin.ski (shipped: skin.ski.new)\")
            file(COPY_FILE \"\${quadrello_shipped}\" \"\${quadrello_folder}/skin.ski.new\")
        endif()
    endif()
    set(DEST \"\${quadrello_folder}/config.ini\")
    message(STATUS \"Default (kept when present): \${DEST}\")
    include(\"${quadrello_config_script}\")"
    COMPONENT portable ${quadrello_portable_only})

if(NOT WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/InstallMetadata.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/InstallDocs.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
endif()
