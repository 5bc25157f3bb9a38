# The platform layer: backend choice, and the Windows backend on Windows.
target_sources(vornikcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform.cpp)
if(WIN32)
    target_sources(vornikcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows_platform.cpp)
    target_link_libraries(vornikcore PUBLIC setupapi cfgmgr32)
endif()
