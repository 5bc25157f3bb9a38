#The graph window's handlers of the processing commands (statistics, transformation,
#smoothing, derivative and integral windows).
target_sources(qtlgui PRIVATE ${CMAKE_CURRENT_LIST_DIR} /
               processing_handlers.cpp ${CMAKE_CURRENT_LIST_DIR} / processing_handlers.h)
