# OpenCV is a yardstick for the raster benchmark only (bench/raster.setup installs it);
# without it the benchmark still builds and leaves the comparison out.
find_package(OpenCV QUIET COMPONENTS core imgproc)
if(OpenCV_FOUND AND TARGET quillet-bench-raster)
    target_link_libraries(quillet-bench-raster PRIVATE ${OpenCV_LIBS})
    target_include_directories(quillet-bench-raster PRIVATE ${OpenCV_INCLUDE_DIRS})
    target_compile_definitions(quillet-bench-raster PRIVATE QUILLET_HAVE_OPENCV)
endif()
