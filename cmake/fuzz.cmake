# Fuzz targets, built with clang and libFuzzer on top of the host build's sanitizers
# (configure with -DKEYLOOM_FUZZ=ON and clang): each fuzz/*_fuzz.cpp becomes one executable
# that feeds the portable core outside input. `cmake --build <dir> --target fuzz_targets`.
set(KEYLOOM_FUZZ_FLAGS -fsanitize=fuzzer-no-link)
target_compile_options(keyloom_core PRIVATE ${KEYLOOM_FUZZ_FLAGS})

add_library(keyloom_fuzz_support STATIC EXCLUDE_FROM_ALL
            ${CMAKE_SOURCE_DIR}/tests/support/fake_desktop.cpp)
target_compile_options(keyloom_fuzz_support PRIVATE ${KEYLOOM_FUZZ_FLAGS} ${KEYLOOM_SANITIZE_FLAGS})

add_custom_target(fuzz_targets)
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${fuzz_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} EXCLUDE_FROM_ALL ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${KEYLOOM_SANITIZE_FLAGS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} keyloom_fuzz_support keyloom_core)
    add_dependencies(fuzz_targets ${name})
endforeach()
