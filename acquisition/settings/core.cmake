# Core part of the settings folder: the settings record, its helpers, the clock, the text
# codec and the driver contract (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/bounded_text.h
    ${CMAKE_CURRENT_LIST_DIR}/driver_entry_points.h
    ${CMAKE_CURRENT_LIST_DIR}/program_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_settings.h
    ${CMAKE_CURRENT_LIST_DIR}/text_codec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_codec.h
)
# Entry-point types come from the header that driver authors use.
target_include_directories(qtlcore PUBLIC ${PROJECT_SOURCE_DIR}/pilotes/include)
