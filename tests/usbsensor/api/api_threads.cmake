# The library's threads against faults: failed thread starts, errors inside the watch and reader
# threads, and a stop's drain beside the reader.
qtl_add_test(usb_thread_fault_tests
    SOURCES
        ${PROJECT_SOURCE_DIR}/usbsensor/api/vornik_exports.cpp
        ${CMAKE_CURRENT_LIST_DIR}/api_thread_faults_test.cpp
    LIBS vornikcore)
target_include_directories(usb_thread_fault_tests PRIVATE ${PROJECT_SOURCE_DIR}/usbsensor/include)
