# The compile settings every target of the project is built with, in one place: one INTERFACE
# target that each target links (vandrel_link_strictness, called once all targets exist).
option(VANDREL_WERROR "Treat compiler warnings as errors (CI turns this on)" OFF)

add_library(vandrel_strictness INTERFACE)
target_compile_options(vandrel_strictness INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor
    $<$<BOOL:${VANDREL_WERROR}>:-Werror>)
# Every conversion between bytes and text is written out, with its encoding.
target_compile_definitions(vandrel_strictness INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING)

# The version, written once in project(), for the code: version.h defines VANDREL_VERSION.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/version.h
               @ONLY)
add_library(vandrel_version INTERFACE)
target_include_directories(vandrel_version INTERFACE ${PROJECT_BINARY_DIR}/generated)

# Links vandrel_strictness into every library and executable defined in `directory` and below.
function(vandrel_link_strictness directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$")
            target_link_libraries(${target} PRIVATE vandrel_strictness)
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        vandrel_link_strictness(${subdirectory})
    endforeach()
endfunction()
