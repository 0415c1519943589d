# A language module for the tests of the data library: LANG_KOR.so with Korean texts for a few ids
# of the library's string table. It is built into tests/nrdata_lang/ below the build folder, not
# beside the programs, so that no program ever picks it up; the tests find it from their own folder.
add_library(nrdata_LANG_KOR SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/lang/LANG_KOR.cpp)
set_target_properties(nrdata_LANG_KOR PROPERTIES PREFIX "" OUTPUT_NAME LANG_KOR
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/nrdata_lang)
target_include_directories(nrdata_LANG_KOR PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(nrdata_LANG_KOR PRIVATE Platform)
target_link_options(nrdata_LANG_KOR PRIVATE -Wl,--no-undefined)

# The test programs are made by ward_tests after this file is read.
function(_nrdata_test_modules)
  foreach(_test nrdata_LanguageTest nrdata_LanguageStartupTest)
    if(TARGET ${_test})
      add_dependencies(${_test} nrdata_LANG_KOR)
    endif()
  endforeach()
  # The table tests work on a copy of the empty database that the build puts beside the programs.
  file(GLOB _table_tests RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests
       ${CMAKE_CURRENT_SOURCE_DIR}/tests/Table*Test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/PatientStudy*Test.cpp)
  foreach(_source IN LISTS _table_tests)
    get_filename_component(_stem ${_source} NAME_WE)
    if(TARGET nrdata_${_stem})
      add_dependencies(nrdata_${_stem} ktutilex_template_database)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL _nrdata_test_modules)
