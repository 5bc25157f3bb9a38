# The API object, the watch thread and the routines behind the exports (in vornikcore, so
# that tests can link them with the export layer).
target_sources(vornikcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/api_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cvor_api.cpp
    ${CMAKE_CURRENT_LIST_DIR}/device_thread.cpp)
