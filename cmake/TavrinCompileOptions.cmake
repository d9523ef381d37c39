# Warning and platform flags shared by every target of the project.
add_library(tavrin_options INTERFACE)
target_compile_options(tavrin_options INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
target_include_directories(tavrin_options INTERFACE "${PROJECT_SOURCE_DIR}/src")

if(WIN32)
    # Unicode W APIs only; Windows 10 as the floor for every API we call.
    target_compile_definitions(tavrin_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                        _WIN32_WINNT=0x0A00 WINVER=0x0A00)
    # One self-contained executable: no MinGW runtime DLLs beside it.
    target_link_options(tavrin_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(TAVRIN_SANITIZE)
    target_compile_options(tavrin_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
    target_link_options(tavrin_options INTERFACE -fsanitize=address,undefined)
endif()

if(TAVRIN_FUZZ)
    # Core code is instrumented for coverage; only the fuzz targets link libFuzzer's main.
    target_compile_options(tavrin_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# tavrin_core_library(name SOURCES ... DEPENDS ...): a static library of portable core code.
function(tavrin_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC tavrin_options ${ARG_DEPENDS})
endfunction()
