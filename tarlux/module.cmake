# A language module for the review station's tests: LANG_KOR.so with Korean texts for a few of the
# program's ids (tests/modules/LANG_KOR.cpp); the tests copy it into the program folder they make.
ward_test_module(LANG_KOR LABEL tarlux SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_KOR.cpp)

# The test programs are made by ward_tests after this file is read.
function(_tarlux_test_modules)
  file(GLOB _tests RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  foreach(_source IN LISTS _tests)
    get_filename_component(_stem ${_source} NAME_WE)
    if(TARGET tarlux_${_stem})
      # Every test makes its database from the empty one the build puts beside the programs.
      add_dependencies(tarlux_${_stem} ktutilex_template_database)
    endif()
  endforeach()
  # Tests that read recordings the central station's own file code wrote link the client
  # library for that code alone; the review station itself never links it.
  foreach(_test tarlux_RecordReaderTest tarlux_e2e_ReviewStation)
    if(TARGET ${_test})
      target_link_libraries(${_test} PRIVATE NyraClient)
    endif()
  endforeach()
  # The process test starts the program itself.
  if(TARGET tarlux_e2e_ReviewProcessTest)
    add_dependencies(tarlux_e2e_ReviewProcessTest TarluxII)
  endif()
endfunction()
cmake_language(DEFER CALL _tarlux_test_modules)
