# A language module for the tests of the data library: LANG_KOR.so with Korean texts for a few ids
# of the library's string table (tests/modules/LANG_KOR.cpp).
ward_test_module(LANG_KOR LABEL nrdata SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_KOR.cpp)

# The table tests work on a copy of the empty database that the build puts beside the programs;
# the test programs are made by ward_tests after this file is read.
function(_nrdata_tests_need_database)
  file(GLOB _table_tests RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests
       ${CMAKE_CURRENT_SOURCE_DIR}/tests/Table*Test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/PatientStudy*Test.cpp)
  foreach(_source IN LISTS _table_tests)
    get_filename_component(_stem ${_source} NAME_WE)
    if(TARGET nrdata_${_stem})
      add_dependencies(nrdata_${_stem} ktutilex_template_database)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL _nrdata_tests_need_database)
