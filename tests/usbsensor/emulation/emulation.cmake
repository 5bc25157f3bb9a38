# The emulated sensor interfaces answer like the hardware.
qtl_add_test(test_usb_emulation
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/vendor_requests_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/loader_mode_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/stream_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/kernel_ioctl_test.cpp
    LIBS vornikcore)
