# Adds every direct subfolder of the current folder, so that parts built side by side each own
# their folder. A subfolder without a CMakeLists.txt stops the configure step: a part that is not
# built must never shrink the build or the suite quietly. ARGN names folders left out on purpose.
function(meri_add_subfolders)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(NOT IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} OR child IN_LIST ARGN)
            continue()
        endif()
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${child} has no CMakeLists.txt")
        endif()
        add_subdirectory(${child})
    endforeach()
endfunction()
