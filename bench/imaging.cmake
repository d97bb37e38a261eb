# Imaging work of one shot and scaled decoding of large camera pictures.
kf_add_bench(imaging_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/imaging_bench.cpp
  LIBS kf_imaging)
