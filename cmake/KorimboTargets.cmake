# What every target of Korimbo's own shares: the project's warnings, and include access to exactly
# the components it links.

# The compiler warnings of our own code (warnings as errors with KORIMBO_WERROR). Every target built
# from our sources links it; libraries built from other sources (GoogleTest from /usr/src) do not.
add_library(korimbo_warnings INTERFACE)
target_compile_options(korimbo_warnings INTERFACE -Wall -Wextra -Wpedantic $<$<BOOL:${KORIMBO_WERROR}>:-Werror>)

# Makes the headers of the component in `folder` (for example "convert" or "ui/logic") reachable
# as "folder/header.h" for `target` and for whatever links it, and for nothing else: the include
# root, in the build folder, holds only a link to that one folder. So "ui/..." included from
# convert/ does not compile.
function(korimbo_component_headers target folder)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# Fails the configuration when a target built from this project's sources does not link
# korimbo_warnings, so no target slips by without the project's warnings.
function(korimbo_check_warnings directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            get_target_property(links ${target} LINK_LIBRARIES)
            if(NOT "korimbo_warnings" IN_LIST links)
                message(FATAL_ERROR "${target} (${directory}) does not link korimbo_warnings")
            endif()
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} NORMALIZE ours)
        if(ours)
            korimbo_check_warnings(${subdirectory})
        endif()
    endforeach()
endfunction()
