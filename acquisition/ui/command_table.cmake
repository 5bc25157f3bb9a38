# Command tables: the menus and tool bar of a window built from one table.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/command_table.h)
endif()
