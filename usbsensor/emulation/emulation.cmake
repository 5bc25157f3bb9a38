# Emulated backend: emulated sensor interfaces on an emulated bus.
target_sources(vornikcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/description_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/emulated_interface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/emulated_platform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/emulated_winusb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/handle_registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sync_object.cpp)
