# Each room of src/ is included by its name ("controls/text_box.h"), and only by the targets that
# link its library: a room's library offers an include root of its own, in the build tree, that
# holds that one room (a link to its folder), so a header of a room the target does not link is
# not found at all. The build, not the reader, tells which room reaches which.
function(vandrel_room_headers target)
    get_filename_component(room ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(root ${PROJECT_BINARY_DIR}/rooms/${room})
    if(NOT EXISTS ${root}/${room})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${room} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
