#Host build : the portable core and its unit tests.
# The product code and the test doubles are checked by the sanitizers; the test files themselves
# are not, which halves their compile time.
if (KEYLOOM_SANITIZE)
    set(KEYLOOM_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                               -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

keyloom_sources(core_sources macro settings ui recorder library editor scheduler)
add_library(keyloom_core STATIC ${core_sources})
target_compile_options(keyloom_core PRIVATE ${KEYLOOM_SANITIZE_FLAGS})
target_precompile_headers(keyloom_core PRIVATE ${KEYLOOM_COMMON_HEADERS})

if(KEYLOOM_BUILD_TESTS)
    enable_testing()
    find_package(GTest REQUIRED)
    keyloom_sources(support_sources tests/support)
    add_library(keyloom_test_support STATIC ${support_sources})
    target_compile_options(keyloom_test_support PRIVATE ${KEYLOOM_SANITIZE_FLAGS})
    file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
    add_executable(unit_tests ${unit_sources})
    # The test framework's headers, parsed once rather than in every test file.
    target_precompile_headers(unit_tests PRIVATE <gmock/gmock.h> <gtest/gtest.h> <string>
                              <vector>)
    target_link_libraries(unit_tests keyloom_test_support keyloom_core GTest::gtest
                          GTest::gtest_main GTest::gmock)
    # Compiled four test files at a time: the framework's templates are instantiated once a batch.
    set_target_properties(unit_tests PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 4)
    add_test(NAME unit_tests COMMAND unit_tests)
    set_tests_properties(unit_tests PROPERTIES TIMEOUT 300)
endif()

if(KEYLOOM_FUZZ)
    include(cmake/fuzz.cmake)
endif()
