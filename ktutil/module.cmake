# The test resource module of the KTResource tests, built beside the programs (WARD_BIN_DIR),
# where the test finds it through the WARD_BIN_DIR environment variable:
#   KTRES_TST.so  texts and a picture (tests/res/KTRES_TST.cpp)
add_library(KTRES_TST SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/res/KTRES_TST.cpp)
set_target_properties(KTRES_TST PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${WARD_BIN_DIR})
target_include_directories(KTRES_TST PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(KTRES_TST PRIVATE Platform)
target_link_options(KTRES_TST PRIVATE -Wl,--no-undefined)

# The test program is made by ward_tests after this file is read.
function(_ktutil_test_modules)
  if(TARGET ktutil_KTResourceTest)
    add_dependencies(ktutil_KTResourceTest KTRES_TST)
  endif()
endfunction()
cmake_language(DEFER CALL _ktutil_test_modules)
