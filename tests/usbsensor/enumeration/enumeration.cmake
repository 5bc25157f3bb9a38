# Driver managers over the emulated backend.
qtl_add_test(test_usb_enumeration
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/winusb_driver_mgr_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/vornik_usb_driver_mgr_test.cpp
    LIBS vornikcore)
