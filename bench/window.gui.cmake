# The window benchmark drives the real main window, offscreen.
if(TARGET quillet-bench-window)
    target_link_libraries(quillet-bench-window PRIVATE quillet_gui)
endif()
