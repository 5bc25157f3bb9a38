# Core part of the settings folder: the settings record, its helpers, the clock, the text
# codec and the driver contract (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/bounded_text.h
    ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clock.h
    ${CMAKE_CURRENT_LIST_DIR}/driver_entry_points.h
    ${CMAKE_CURRENT_LIST_DIR}/dynamic_library.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dynamic_library.h
    ${CMAKE_CURRENT_LIST_DIR}/input_driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_driver.h
    ${CMAKE_CURRENT_LIST_DIR}/manual_clock.h
    ${CMAKE_CURRENT_LIST_DIR}/number_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/number_format.h
    ${CMAKE_CURRENT_LIST_DIR}/output_driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/output_driver.h
    ${CMAKE_CURRENT_LIST_DIR}/program_places.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_places.h
    ${CMAKE_CURRENT_LIST_DIR}/program_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_settings.h
    ${CMAKE_CURRENT_LIST_DIR}/series_stats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/series_stats.h
    ${CMAKE_CURRENT_LIST_DIR}/text_codec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_codec.h
    ${CMAKE_CURRENT_LIST_DIR}/text_fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_fields.h
)
# Entry-point types come from the header that driver authors use.
target_include_directories(qtlcore PUBLIC ${PROJECT_SOURCE_DIR}/pilotes/include)
