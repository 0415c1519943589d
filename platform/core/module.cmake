# Test modules of the resource-module tests, built beside the programs (WARD_BIN_DIR), where the
# tests find them through the WARD_BIN_DIR environment variable that ctest passes:
#   LANG_TST.so  a language module (tests/lang/LANG_TST.cpp)
#   TSTEXT.so    an extension library (tests/lang/TSTEXT.cpp)
foreach(_module LANG_TST TSTEXT)
  add_library(${_module} SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/lang/${_module}.cpp)
  set_target_properties(${_module} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${WARD_BIN_DIR})
  target_include_directories(${_module} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${_module} PRIVATE Platform)
  target_link_options(${_module} PRIVATE -Wl,--no-undefined)
endforeach()

# The test programs are made by ward_tests after this file is read: add the dependency once the
# directory is done.
function(_platform_core_test_modules)
  if(TARGET platform_LanguageModuleTest)
    add_dependencies(platform_LanguageModuleTest LANG_TST TSTEXT)
  endif()
endfunction()
cmake_language(DEFER CALL _platform_core_test_modules)
