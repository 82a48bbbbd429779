# Picture decoding and scaling, checked against the built-in resistor picture.
add_executable(picture_tests picture_test.cpp)
target_link_libraries(picture_tests PRIVATE picture GTest::gtest_main)
ohmbra_embed(TARGET picture_tests SYMBOL resistorJpeg FILE ${PROJECT_SOURCE_DIR}/drawing/resistor.jpg)
gtest_discover_tests(picture_tests DISCOVERY_MODE PRE_TEST)
