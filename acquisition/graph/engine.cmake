# The acquisition engine (no Qt): timed step, bursts, start commands and the memo file.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/acquisition_engine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/acquisition_engine.h
    ${CMAKE_CURRENT_LIST_DIR}/burst.cpp
    ${CMAKE_CURRENT_LIST_DIR}/burst.h
    ${CMAKE_CURRENT_LIST_DIR}/memo_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memo_file.h
    ${CMAKE_CURRENT_LIST_DIR}/start_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_commands.h
)
# The bounded picture of a long series that the chart draws when it shows the whole series.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/series_summary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/series_summary.h)
