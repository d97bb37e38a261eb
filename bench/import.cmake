# Photo import: one large camera JPEG on one core, twelve on both cores.
kf_add_bench(import_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/import_bench.cpp
  LIBS kinfolio_core)
