#Host build : the portable core and its unit tests.
if (KEYLOOM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

keyloom_sources(core_sources macro settings ui recorder library editor scheduler)
add_library(keyloom_core STATIC ${core_sources})

if(KEYLOOM_BUILD_TESTS)
    enable_testing()
    find_package(GTest REQUIRED)
    keyloom_sources(support_sources tests/support)
    file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
    add_executable(unit_tests ${unit_sources} ${support_sources})
    # The test framework's headers, parsed once rather than in every test file.
    target_precompile_headers(unit_tests PRIVATE <gmock/gmock.h> <gtest/gtest.h> <string>
                              <vector>)
    target_link_libraries(unit_tests keyloom_core GTest::gtest GTest::gtest_main GTest::gmock)
    add_test(NAME unit_tests COMMAND unit_tests)
    set_tests_properties(unit_tests PROPERTIES TIMEOUT 300)
endif()

if(KEYLOOM_FUZZ)
    include(cmake/fuzz.cmake)
endif()
