# The channel dialog's logic, the settings file (writer, reader, value rules, driver search) and safe file replacement.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/channel_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/channel_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/driver_search.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_search.h
    ${CMAKE_CURRENT_LIST_DIR}/file_error.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_error.h
    ${CMAKE_CURRENT_LIST_DIR}/file_open.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_open.h
    ${CMAKE_CURRENT_LIST_DIR}/replace_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replace_file.h
    ${CMAKE_CURRENT_LIST_DIR}/settings_file.h
    ${CMAKE_CURRENT_LIST_DIR}/settings_file_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_file_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_values.h)
