# dravel_add_test(<name> SOURCES <files...> LIBS <targets...> [ENVIRONMENT <VAR=value...>])
#
# One QtTest executable registered with CTest. Tests run headless with every
# dravel debug category switched on, so that log lines can be asserted.
find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)

function(dravel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS})
    # Helpers several test folders share.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_definitions(${name} PRIVATE
        DRAVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        DRAVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
    # A session bus of its own: tests running in parallel must not meet each
    # other's fake services under the same well-known names.
    add_test(NAME ${name} COMMAND ${DBUS_RUN_SESSION} -- $<TARGET_FILE:${name}>)
    # Each test gets its own home and XDG folders, so that tests running in
    # parallel never share a history, a configuration or a cache.
    set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}.home)
    file(MAKE_DIRECTORY ${home})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=dravel.*.debug=true;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;HOME=${home};XDG_DATA_HOME=${home}/.local/share;XDG_CONFIG_HOME=${home}/.config;XDG_CACHE_HOME=${home}/.cache;${ARG_ENVIRONMENT}"
        TIMEOUT 300)
endfunction()

# dravel_uses_mmscm(<test>)
#
# The test starts the MMS connection manager program (MmscmProcess with
# MMSCM_PROGRAM) on its private bus and scripts it through mmscm_client.
function(dravel_uses_mmscm name)
    target_link_libraries(${name} PRIVATE mmscm_client)
    target_compile_definitions(${name} PRIVATE MMSCM_PROGRAM="$<TARGET_FILE:dravel-mmscm>")
    add_dependencies(${name} dravel-mmscm)
endfunction()
