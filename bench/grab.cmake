# Grab: the per-frame work against a memcpy of one frame, and whole
# pipelines against GStreamer's own overlay element.
kf_add_bench(grab_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/grab_bench.cpp
  LIBS grab_core grab_testsupport)
kf_add_bench(grab_pipeline_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/grab_pipeline_bench.cpp
  LIBS grab_testsupport PkgConfig::GST)
if(TARGET grab_pipeline_bench)
  add_dependencies(grab_pipeline_bench gstgrab)
  target_compile_definitions(grab_pipeline_bench PRIVATE KF_APP_PLUGIN_DIR="${KF_APP_PLUGIN_DIR}")
endif()
