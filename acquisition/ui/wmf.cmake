# The metafile writer: a paint device and engine that the chart draws into, over a record encoder.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/wmf_device.cpp
        ${CMAKE_CURRENT_LIST_DIR}/wmf_device.h
        ${CMAKE_CURRENT_LIST_DIR}/wmf_paint_engine.cpp
        ${CMAKE_CURRENT_LIST_DIR}/wmf_paint_engine.h
        ${CMAKE_CURRENT_LIST_DIR}/wmf_records.cpp
        ${CMAKE_CURRENT_LIST_DIR}/wmf_records.h)
endif()
