# The program's pictures are drawn at build time by tools/makeartwork and compiled into
# lumeo_ui as resources under /pictures; ui/CMakeLists.txt includes it.
set(LUMEO_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
set(LUMEO_ARTWORK_FILES
    header.jpg panel.bmp
    breakers.jpg sockets.jpg contactors.jpg lamps.jpg
    cables.jpg switches.jpg plugs.jpg fuses.jpg
    drawing.bmp program.ico dialog.ico browse.ico
    magnifier.xbm magnifier-mask.xbm hand.png)
list(TRANSFORM LUMEO_ARTWORK_FILES PREPEND ${LUMEO_ARTWORK_DIR}/ OUTPUT_VARIABLE LUMEO_ARTWORK_PATHS)

add_custom_command(OUTPUT ${LUMEO_ARTWORK_PATHS}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:makeartwork> ${LUMEO_ARTWORK_DIR}
    DEPENDS makeartwork
    COMMENT "Drawing the program's pictures"
    VERBATIM)

qt_add_resources(lumeo_ui lumeo_pictures
    PREFIX /pictures
    BASE ${LUMEO_ARTWORK_DIR}
    FILES ${LUMEO_ARTWORK_PATHS})
