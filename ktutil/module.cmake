# The test resource module of the KTResource tests: KTRES_TST.so, texts and a picture
# (tests/modules/KTRES_TST.cpp).
ward_test_module(KTRES_TST LABEL ktutil SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tests/modules/KTRES_TST.cpp)
