# A language module for the tests of the client library: LANG_KOR.so with Korean texts for a few
# ids of the library's string table (tests/modules/LANG_KOR.cpp); the tests copy it into the
# program folder they make.
ward_test_module(LANG_KOR LABEL nyraclient SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/LANG_KOR.cpp)
