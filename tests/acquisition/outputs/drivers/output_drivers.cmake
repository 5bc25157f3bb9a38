# Output test drivers with the dialog names, shared by the core and window tests of this
# folder (included once, by core.cmake): `qtl_outputs_test_drivers(target)` gives a test their paths and builds them first.
set(_qtl_otd_variants three few endless)
set(_qtl_otd_defs "" TD_FEW TD_ENDLESS)
foreach(_variant _def IN ZIP_LISTS _qtl_otd_variants _qtl_otd_defs)
    set(_target qtl_test_output_driver_${_variant})
    add_library(${_target} SHARED ${CMAKE_CURRENT_LIST_DIR}/dialog_output_driver.c)
    target_link_libraries(${_target} PRIVATE qtl_pilote_headers)
    if(_def)
        target_compile_definitions(${_target} PRIVATE ${_def})
    endif()
    set_target_properties(${_target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                          ${CMAKE_BINARY_DIR}/tests/drivers)
endforeach()

function(qtl_outputs_test_drivers test)
    foreach(_variant IN ITEMS three few endless)
        string(TOUPPER ${_variant} _upper)
        target_compile_definitions(${test} PRIVATE
            "QTL_OUTPUT_DRIVER_${_upper}=\"$<TARGET_FILE:qtl_test_output_driver_${_variant}>\"")
        add_dependencies(${test} qtl_test_output_driver_${_variant})
    endforeach()
    target_compile_definitions(${test} PRIVATE QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
    target_include_directories(${test} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/..)
    add_dependencies(${test} simulation)
endfunction()
