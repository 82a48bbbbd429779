# The installed program: cmake --install into a temporary prefix, then the tree, the validators and
# a start of the installed command. Included from tests/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_executable(install_tests install_test.cpp ${PROJECT_SOURCE_DIR}/app/app_icon.cpp)
target_include_directories(install_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(install_tests PRIVATE
    OHMBRA_BUILD_DIR="${CMAKE_BINARY_DIR}"
    OHMBRA_CMAKE_COMMAND="${CMAKE_COMMAND}")
target_link_libraries(install_tests PRIVATE Qt6::Gui GTest::gtest_main)
# Everything the install step copies must be built before the test installs it.
add_dependencies(install_tests ohmbra SkinH_EL ohmbra-icons)
gtest_discover_tests(install_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 180)
