# Helpers shared by the subdirectories.

# Every executable links the allocator object library, so that with L_TRACK_ALLOC
# the global operators are replaced in it (a static archive might not pull them in).
function(l_add_executable name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE engine_alloc)
endfunction()
