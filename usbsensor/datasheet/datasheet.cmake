# Data sheet cursor, parser, builder and reader.
target_sources(vornikcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/datasheet_cursor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/measurement_info.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sensor_datasheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datasheet_builder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datasheet_reader.cpp)
