# The window-skin library and its loader. Included from tests/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

# The skin library built without SkinH_SetAero, under the same file name in a folder of its own:
# a copy that the loader can be shown to prefer, and to reject.
add_library(SkinH_EL_missing_aero SHARED ${PROJECT_SOURCE_DIR}/app/skin/skinh_el.cpp)
target_compile_definitions(SkinH_EL_missing_aero PRIVATE SKINH_EL_WITHOUT_SET_AERO)
target_link_libraries(SkinH_EL_missing_aero PRIVATE Qt6::Widgets)
set_target_properties(SkinH_EL_missing_aero PROPERTIES
    OUTPUT_NAME SkinH_EL
    NO_SONAME ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/skin_missing_aero)

# Binds the library in a child process, for the cases that end the process.
add_executable(skin_fatal_driver skin/skin_fatal_driver.cpp)
target_link_libraries(skin_fatal_driver PRIVATE windowskin)

add_executable(skin_tests skin_test.cpp)
target_link_libraries(skin_tests PRIVATE windowskin GTest::gtest)
target_compile_definitions(skin_tests PRIVATE
    SKIN_LIBRARY_FILE="$<TARGET_FILE:SkinH_EL>"
    SKIN_MISSING_AERO_FILE="$<TARGET_FILE:SkinH_EL_missing_aero>"
    SKIN_FATAL_DRIVER="$<TARGET_FILE:skin_fatal_driver>"
    MAIN_SKIN_FILE="${PROJECT_SOURCE_DIR}/app/skin/ohmbra.skin")
add_dependencies(skin_tests SkinH_EL SkinH_EL_missing_aero skin_fatal_driver)
gtest_discover_tests(skin_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
