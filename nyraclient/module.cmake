# A language module for the tests of the client library: LANG_KOR.so with Korean texts for a few
# ids of the library's string table. It is built into tests/nyraclient_lang/ below the build
# folder, never beside the programs; the tests copy it into the program folder they make.
add_library(nyraclient_LANG_KOR SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/lang/LANG_KOR.cpp)
set_target_properties(nyraclient_LANG_KOR PROPERTIES PREFIX "" OUTPUT_NAME LANG_KOR
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/nyraclient_lang)
target_include_directories(nyraclient_LANG_KOR PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(nyraclient_LANG_KOR PRIVATE Platform)
target_link_options(nyraclient_LANG_KOR PRIVATE -Wl,--no-undefined)

# The test programs are made by ward_tests after this file is read.
function(_nyraclient_test_modules)
  if(TARGET nyraclient_RunLogTest)
    add_dependencies(nyraclient_RunLogTest nyraclient_LANG_KOR)
  endif()
endfunction()
cmake_language(DEFER CALL _nyraclient_test_modules)
