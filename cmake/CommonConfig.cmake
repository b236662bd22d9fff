# One place for the options every target shares: link ct_common and nothing else.
set(CMAKE_CXX_EXTENSIONS OFF)
add_library(ct_common INTERFACE)
target_compile_features(ct_common INTERFACE cxx_std_20)
target_compile_options(ct_common INTERFACE
    -Wall -Wextra -Wnon-virtual-dtor -Wshadow=local)
target_include_directories(ct_common INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/util/Version.h.in ${PROJECT_BINARY_DIR}/generated/util/Version.h
    @ONLY)

if(WITH_SANITIZERS)
    target_compile_options(ct_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(ct_common INTERFACE -fsanitize=address,undefined)
endif()

# Adds a static library named after its folder.
function(ct_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ct_common ${ARG_DEPS})
endfunction()
