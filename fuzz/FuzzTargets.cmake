# The fuzz targets: fuzz/targets/NAME.cpp holds one LLVMFuzzerTestOneInput, linked either with
# libFuzzer (fuzz/CMakeLists.txt, clang only) or with the plain replay main (tests/fuzz).
set(CT_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CT_FUZZ_TARGETS
    channel_report
    channel_database
    backup_file
    dvb_text
    registry
    stb_listing
    disk_info
    free_space
    du_reply
    shell_words
    box_session)

# Adds the harness helpers and one program per target, named PREFIX + NAME; EXTRA_SOURCES
# and LINK_OPTIONS make the entry a program.
function(ct_fuzz_programs prefix)
    cmake_parse_arguments(ARG "" "" "EXTRA_SOURCES;LINK_OPTIONS" ${ARGN})
    find_package(Threads REQUIRED)
    add_library(fuzzsupport STATIC
        ${CT_FUZZ_DIR}/support/DatabaseWalk.cpp
        ${CT_FUZZ_DIR}/support/ImagePatches.cpp
        ${CT_FUZZ_DIR}/support/Utf8.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/RecordingMessages.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/TempDir.cpp)
    target_link_libraries(fuzzsupport PUBLIC ct_common chdb cli_lib stbsim_lib util Threads::Threads)
    foreach(name IN LISTS CT_FUZZ_TARGETS)
        add_executable(${prefix}${name} ${CT_FUZZ_DIR}/targets/${name}.cpp ${ARG_EXTRA_SOURCES})
        target_link_libraries(${prefix}${name} PRIVATE ct_common fuzzsupport filebrowser)
        target_link_options(${prefix}${name} PRIVATE ${ARG_LINK_OPTIONS})
    endforeach()
endfunction()
