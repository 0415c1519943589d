# What the central station's tests need besides their programs:
#  - LANG_GER.so, a small language module (tests/modules/LANG_GER.cpp); the tests copy it into the
#    program folder they make;
#  - the program itself and the empty database beside it, which the tests that start the station
#    as a process copy into a program folder of their own.
ward_test_module(LANG_GER LABEL tarvic SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_GER.cpp)

# The test programs are made by ward_tests after this file is read.
function(_tarvic_test_needs)
  file(GLOB _tests RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  foreach(_source IN LISTS _tests)
    get_filename_component(_stem ${_source} NAME_WE)
    if(TARGET tarvic_${_stem})
      add_dependencies(tarvic_${_stem} TarvicII ktutilex_template_database)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL _tarvic_test_needs)
