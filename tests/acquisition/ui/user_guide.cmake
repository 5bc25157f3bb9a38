# The user guide opened by F1 and the dialogs' help buttons, and the guide's section anchors.
if(QTL_BUILD_GUI)
    qtl_add_test(test_ui_user_guide GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/user_guide_test.cpp
        LIBS qtlgui qtl_gui_testkit)
    target_compile_definitions(test_ui_user_guide
        PRIVATE QTL_GUIDE_SOURCE="${PROJECT_SOURCE_DIR}/docs/guide-utilisateur.md")
endif()
