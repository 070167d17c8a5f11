# cmake -DDEST=<path> -P DefaultConfig.cmake: writes the shipped config.ini to DEST unless a file
# is there already. Lines end in CR LF, as the settings routines write them.
if(NOT EXISTS "${DEST}")
    file(WRITE "${DEST}" "[Function]\r\nDrawGraphic=1\r\nMark=1\r\n")
endif()
