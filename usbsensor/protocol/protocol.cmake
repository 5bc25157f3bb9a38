# Sample rings, the stream frame parser and the interface protocol.
target_sources(vornikcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/sample_ring.cpp)
target_sources(vornikcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sensor_interface.cpp)
