# Platform layer: backend choice, events and mutexes, device nodes, description files.
qtl_add_test(test_usb_platform
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sync_objects_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/device_nodes_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/description_file_test.cpp
    LIBS vornikcore)
