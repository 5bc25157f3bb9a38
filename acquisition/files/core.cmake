# Core part of the files folder: the data file writer and readers (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/atomic_file.h
    ${CMAKE_CURRENT_LIST_DIR}/data_file_error.h
    ${CMAKE_CURRENT_LIST_DIR}/data_file_kind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_file_kind.h
    ${CMAKE_CURRENT_LIST_DIR}/data_file_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_file_reader.h
    ${CMAKE_CURRENT_LIST_DIR}/data_file_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_file_writer.h
    ${CMAKE_CURRENT_LIST_DIR}/field_number.cpp
    ${CMAKE_CURRENT_LIST_DIR}/field_number.h
    ${CMAKE_CURRENT_LIST_DIR}/line_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/line_reader.h
    ${CMAKE_CURRENT_LIST_DIR}/save_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_command.h
)
