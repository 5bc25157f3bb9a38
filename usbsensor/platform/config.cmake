target_sources(vornikcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/config.cpp)
