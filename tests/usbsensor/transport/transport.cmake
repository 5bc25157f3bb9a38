# Transports over the emulated backend.
qtl_add_test(test_usb_transport
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/winusb_driver_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/vornik_usb_driver_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/concurrent_transport_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/wire_bytes_test.cpp
    LIBS vornikcore)
