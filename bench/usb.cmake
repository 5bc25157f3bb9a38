# USB sensor library: stream path throughput (frame parser, rings, VorGetSampleData).
if(QTL_BUILD_USB)
    qtl_add_bench(bench_usb_stream
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/usb_stream_bench.cpp
                ${PROJECT_SOURCE_DIR}/usbsensor/api/vornik_exports.cpp
        LIBS vornikcore)
    target_include_directories(bench_usb_stream PRIVATE ${PROJECT_SOURCE_DIR}/usbsensor/include)
endif()
