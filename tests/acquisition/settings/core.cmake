# Core tests of the settings folder: helpers, clock, codec and the driver contract, with
# small driver libraries built here.
set(_qtl_td_variants complete no_ead no_detail single_char null_text endless)
set(_qtl_td_defs "" TD_NO_EAD TD_NO_DETAIL TD_SINGLE_CHAR TD_NULL_TEXT TD_ENDLESS)
set(_qtl_td_paths "")
foreach(_variant _def IN ZIP_LISTS _qtl_td_variants _qtl_td_defs)
    set(_target qtl_test_driver_${_variant})
    add_library(${_target} SHARED ${CMAKE_CURRENT_LIST_DIR}/drivers/test_driver.c)
    target_link_libraries(${_target} PRIVATE qtl_pilote_headers)
    if(_def)
        target_compile_definitions(${_target} PRIVATE ${_def})
    endif()
    set_target_properties(${_target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                          ${CMAKE_BINARY_DIR}/tests/drivers)
    string(TOUPPER ${_variant} _upper)
    list(APPEND _qtl_td_paths "QTL_TEST_DRIVER_${_upper}=\"$<TARGET_FILE:${_target}>\"")
endforeach()

# Output drivers: complete, and without the output names.
foreach(_variant IN ITEMS outputs outputs_no_names)
    set(_target qtl_test_driver_${_variant})
    add_library(${_target} SHARED ${CMAKE_CURRENT_LIST_DIR}/drivers/test_output_driver.c)
    target_link_libraries(${_target} PRIVATE qtl_pilote_headers)
    set_target_properties(${_target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                          ${CMAKE_BINARY_DIR}/tests/drivers)
    string(TOUPPER ${_variant} _upper)
    list(APPEND _qtl_td_paths "QTL_TEST_DRIVER_${_upper}=\"$<TARGET_FILE:${_target}>\"")
endforeach()
target_compile_definitions(qtl_test_driver_outputs_no_names PRIVATE TD_NO_NAMES)
list(APPEND _qtl_td_variants outputs outputs_no_names)

qtl_add_test(test_settings_core
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/clock_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/driver_loading_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/number_format_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/output_driver_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/program_settings_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_codec_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_fields_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_settings_core PRIVATE ${_qtl_td_paths}
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_settings_core simulation)
foreach(_variant IN LISTS _qtl_td_variants)
    add_dependencies(test_settings_core qtl_test_driver_${_variant})
endforeach()
