# Configuration constants and the firmware image of the USB sensor library.
set(VORNIK_FIRMWARE_IMAGE "${CMAKE_CURRENT_LIST_DIR}/firmware_placeholder.bin" CACHE FILEPATH
    "Firmware image (5168 bytes) downloaded to interfaces in loader mode")
file(SIZE "${VORNIK_FIRMWARE_IMAGE}" _vornik_fw_size)
if(NOT _vornik_fw_size EQUAL 5168)
    message(FATAL_ERROR "VORNIK_FIRMWARE_IMAGE must be 5168 bytes, ${VORNIK_FIRMWARE_IMAGE} has ${_vornik_fw_size}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${VORNIK_FIRMWARE_IMAGE}")
file(READ "${VORNIK_FIRMWARE_IMAGE}" _vornik_fw_hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _vornik_fw_bytes "${_vornik_fw_hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" _vornik_fw_bytes "${_vornik_fw_bytes}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/firmware_image.cpp.in
               ${CMAKE_CURRENT_BINARY_DIR}/firmware_image.cpp @ONLY)
target_sources(vornikbase PRIVATE ${CMAKE_CURRENT_LIST_DIR}/config.cpp
               ${CMAKE_CURRENT_BINARY_DIR}/firmware_image.cpp)
