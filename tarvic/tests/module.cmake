# What the central station's tests need besides their programs:
#  - LANG_GER.so, a small language module, built into tests/tarvic_lang/ (never beside the
#    programs); the tests copy it into the program folder they make;
#  - the program itself and the empty database beside it, which the tests that start the station
#    as a process copy into a program folder of their own.
add_library(tarvic_LANG_GER SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/lang/LANG_GER.cpp)
set_target_properties(tarvic_LANG_GER PROPERTIES PREFIX "" OUTPUT_NAME LANG_GER
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/tarvic_lang)
target_include_directories(tarvic_LANG_GER PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(tarvic_LANG_GER PRIVATE Platform)
target_link_options(tarvic_LANG_GER PRIVATE -Wl,--no-undefined)

# The test programs are made by ward_tests after this file is read.
function(_tarvic_test_needs)
  file(GLOB _tests RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  foreach(_source IN LISTS _tests)
    get_filename_component(_stem ${_source} NAME_WE)
    if(TARGET tarvic_${_stem})
      add_dependencies(tarvic_${_stem} tarvic_LANG_GER TarvicII ktutilex_template_database)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL _tarvic_test_needs)
