# The platform layer: the Windows backend on Windows (Qt-free), and the backend choice (which
# knows the emulated backend).
if(WIN32)
    target_sources(vornikbase PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows_platform.cpp)
    target_link_libraries(vornikbase PUBLIC setupapi cfgmgr32)
endif()
if(TARGET vornikcore)
    target_sources(vornikcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform.cpp)
endif()
