# ostrel_add_subdirectories(): adds every direct subfolder that has a CMakeLists.txt, so that a new
# area folder needs no edit of its parent. Calling it twice for one folder adds nothing twice.
function(ostrel_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  get_property(added GLOBAL PROPERTY OSTREL_ADDED_DIRS)
  foreach(child IN LISTS children)
    set(dir "${CMAKE_CURRENT_SOURCE_DIR}/${child}")
    if(IS_DIRECTORY "${dir}" AND EXISTS "${dir}/CMakeLists.txt" AND NOT dir IN_LIST added)
      set_property(GLOBAL APPEND PROPERTY OSTREL_ADDED_DIRS "${dir}")
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
