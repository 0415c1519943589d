# Test modules of the resource-module tests (tests/modules/):
#   LANG_TST.so  a language module
#   TSTEXT.so    an extension library
ward_test_module(LANG_TST LABEL platform SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_TST.cpp)
ward_test_module(TSTEXT LABEL platform SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/TSTEXT.cpp)
