# Capture: the full live pipeline with the test camera (frames to the pane,
# drops, CPU per frame) and the time from Grab to a written file.
kf_add_bench(capture_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/capture_pipeline.cpp
  LIBS capture)
