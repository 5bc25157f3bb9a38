# Each source or test folder is made of parts: every *.cmake file in the folder is one part,
# so independent pieces of a folder never edit the same list file.
macro(qtl_include_parts)
    file(GLOB _qtl_parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cmake)
    list(SORT _qtl_parts)
    foreach(_qtl_part IN LISTS _qtl_parts)
        include(${_qtl_part})
    endforeach()
endmacro()

# Adds every immediate sub-folder that has a CMakeLists.txt.
macro(qtl_add_subfolders)
    file(GLOB _qtl_subs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*)
    list(SORT _qtl_subs)
    foreach(_qtl_sub IN LISTS _qtl_subs)
        if(IS_DIRECTORY ${_qtl_sub} AND EXISTS ${_qtl_sub}/CMakeLists.txt)
            add_subdirectory(${_qtl_sub})
        endif()
    endforeach()
endmacro()
