# The import benchmark also times the real import window, offscreen.
if(TARGET quillet-bench-import)
    target_link_libraries(quillet-bench-import PRIVATE quillet_gui)
endif()
