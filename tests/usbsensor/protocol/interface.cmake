# Sensor interface protocol over a scripted transport (no reader thread).
qtl_add_test(usb_interface_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sensor_interface_test.cpp
    LIBS vornikcore)
