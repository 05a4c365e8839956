# Cross build: the two programs, statically linked, and the tests that need the real platform.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh)

set(KEYLOOM_WIN32_LIBS comctl32 comdlg32 shell32 winmm advapi32 user32 gdi32 kernel32 wtsapi32)

# A static library of the named folders, linked with `deps`.
function(keyloom_library name deps)
    keyloom_sources(sources ${ARGN})
    if(sources)
        add_library(${name} STATIC ${sources})
        target_link_libraries(${name} PUBLIC ${deps})
    else()
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${deps})
    endif()
endfunction()

keyloom_library(keyloom_shared "${KEYLOOM_WIN32_LIBS}" macro settings ui)
keyloom_library(keyloom_app keyloom_shared recorder library editor)
keyloom_library(keyloom_sched keyloom_shared scheduler)
target_precompile_headers(keyloom_shared PRIVATE ${KEYLOOM_COMMON_HEADERS})
foreach(library keyloom_app keyloom_sched)
    target_precompile_headers(${library} REUSE_FROM keyloom_shared)
endforeach()

# Dialogs, menus, icons and bitmaps of each program; tests that open a dialog link them too.
# windres writes no dependency file: rebuild a program's resources when any fragment or
# picture changes.
file(GLOB resource_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
     ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/*.xml
     ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(resources/keyloom.rc resources/scheduler.rc
                            resources/keyloom_program.rc resources/scheduler_program.rc
                            PROPERTIES OBJECT_DEPENDS "${resource_inputs}")
add_library(keyloom_resources OBJECT resources/keyloom.rc)
add_library(scheduler_resources OBJECT resources/scheduler.rc)

add_executable(Keyloom WIN32 library/program/program_entry_win32.cpp resources/keyloom_program.rc
                             $<TARGET_OBJECTS:keyloom_resources>)
target_link_libraries(Keyloom keyloom_app)

add_executable(KeyloomScheduler WIN32 scheduler/window/program_entry_win32.cpp
                                      resources/scheduler_program.rc
                                      $<TARGET_OBJECTS:scheduler_resources>)
target_link_libraries(KeyloomScheduler keyloom_sched)
set_target_properties(KeyloomScheduler PROPERTIES OUTPUT_NAME "Keyloom Scheduler")

if(KEYLOOM_BUILD_TESTS)
    enable_testing()
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    keyloom_library(windows_test_support "keyloom_app;keyloom_sched;gtest;gmock" tests/support)
    # Test code is compiled for a quick build rather than speed, and the Windows and test
    # framework headers are parsed once for the support and every test.
    foreach(target gtest gtest_main gmock windows_test_support)
        target_compile_options(${target} PRIVATE -O1)
    endforeach()
    target_precompile_headers(windows_test_support PRIVATE <windows.h> <gmock/gmock.h>
                              <gtest/gtest.h> <string> <vector>)

    # Typical seconds of the longer Windows tests under Wine, four at once: ctest starts the
    # longest first, so that the desktops of scripts/run-windows-tests.sh finish together.
    set(windows_test_seconds soak_test 80 keyloom_editor_code_test 95 keyloom_play_delivery_test 55
        keyloom_recording_replay_test 55 keyloom_editor_test 50 scheduler_shifted_clock_test 50
        scheduler_program_test 45
        keyloom_main_tray_test 40 scheduler_window_test 40 keyloom_main_library_commands_test 35
        keyloom_main_window_test 35 player_test 45 keyloom_editor_long_code_test 30
        keyloom_high_dpi_test 30 keyloom_main_play_test 32 interpreter_test 20
        scheduler_high_dpi_test 18 keyloom_options_test 17 file_save_test 16 recorder_test 15
        hot_key_test 15)
    # The slow program that a test's macro starts with RUN and waits for.
    add_executable(late_window WIN32 tests/windows/late_window_win32.cpp)

    file(GLOB windows_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*_test.cpp)
    foreach(src ${windows_tests})
        get_filename_component(name ${src} NAME_WE)
        set(resources)
        if(name MATCHES "^keyloom_")
            set(resources $<TARGET_OBJECTS:keyloom_resources>)
        elseif(name MATCHES "^scheduler_")
            set(resources $<TARGET_OBJECTS:scheduler_resources>)
        endif()
        add_executable(${name} ${src} ${resources})
        target_link_libraries(${name} windows_test_support gtest_main)
        target_compile_options(${name} PRIVATE -O1)
        target_precompile_headers(${name} REUSE_FROM windows_test_support)
        add_dependencies(${name} Keyloom KeyloomScheduler late_window)
        if(name MATCHES "_shifted_clock_test$")
            # Its own wineserver, under a clock that the test shifts and jumps.
            add_test(NAME ${name} COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/run-shifted-clock-test.sh
                                          ${CMAKE_BINARY_DIR} ${name}.exe)
        elseif(name MATCHES "_high_dpi_test$")
            # Its own wineserver, in a prefix at 144 DPI.
            add_test(NAME ${name} COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/run-high-dpi-test.sh
                                          ${CMAKE_BINARY_DIR} ${name}.exe)
        else()
            add_test(NAME ${name} COMMAND ${name})
        endif()
        # One desktop of scripts/run-windows-tests.sh each: display, prefix and wineserver.
        set_tests_properties(${name} PROPERTIES TIMEOUT 240 RESOURCE_GROUPS desktops:1
            ENVIRONMENT "KEYLOOM_BIN=${CMAKE_BINARY_DIR};KEYLOOM_SOURCE=${CMAKE_SOURCE_DIR}")
        list(FIND windows_test_seconds ${name} at)
        if(at GREATER -1)
            math(EXPR at "${at} + 1")
            list(GET windows_test_seconds ${at} seconds)
            set_tests_properties(${name} PROPERTIES COST ${seconds})
        endif()
    endforeach()
endif()

file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_win32.cpp)
foreach(src ${bench_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} keyloom_app keyloom_sched)
endforeach()

# Helper programs of the scripts (demo, screenshots, package tests): each tools/*_win32.cpp is
# one console program of its own.
file(GLOB tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*_win32.cpp)
foreach(src ${tool_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
endforeach()
