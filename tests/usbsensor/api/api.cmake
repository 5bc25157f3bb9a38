# The 25 exports end to end against emulated interfaces. The export layer is compiled into the
# test so that the test and the library share one emulated bus.
set(_vornik_export_sources ${PROJECT_SOURCE_DIR}/usbsensor/api/vornik_exports.cpp)
qtl_add_test(usb_api_tests
    SOURCES
        ${_vornik_export_sources}
        ${CMAKE_CURRENT_LIST_DIR}/api_devices_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/api_sensor_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/api_stream_test.cpp
    LIBS vornikcore)
target_include_directories(usb_api_tests PRIVATE ${PROJECT_SOURCE_DIR}/usbsensor/include)

qtl_add_test(usb_api_stress_tests
    SOURCES
        ${_vornik_export_sources}
        ${CMAKE_CURRENT_LIST_DIR}/api_stress_test.cpp
    LIBS vornikcore)
target_include_directories(usb_api_stress_tests PRIVATE ${PROJECT_SOURCE_DIR}/usbsensor/include)
