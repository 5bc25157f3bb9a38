# Window-test kit shared by every GUI test: the scripted Interaction and the Qt application.
# Link `qtl_gui_testkit` and include "testkit/...".
if(QTL_BUILD_GUI)
    add_library(qtl_gui_testkit STATIC
        ${CMAKE_CURRENT_LIST_DIR}/testkit/scripted_interaction.h
        ${CMAKE_CURRENT_LIST_DIR}/testkit/scripted_interaction.cpp
        ${CMAKE_CURRENT_LIST_DIR}/testkit/gui_app.h
        ${CMAKE_CURRENT_LIST_DIR}/testkit/gui_app.cpp
        ${CMAKE_CURRENT_LIST_DIR}/testkit/command_table_check.h)
    target_include_directories(qtl_gui_testkit PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(qtl_gui_testkit PUBLIC qtlgui GTest::gtest PRIVATE qtl_warnings)
endif()
