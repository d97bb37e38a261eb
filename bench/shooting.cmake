# Shooting: one shot from the grabbed bitmap to the shown photo, and one
# placement step (EndMerger) with two colour groups.
kf_add_bench(shooting_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shooting_bench.cpp
    ${CMAKE_SOURCE_DIR}/booth/shooting/shootingfixture.cpp
    ${CMAKE_SOURCE_DIR}/booth/testsupport/fakeinstall.cpp
  LIBS kinfolio_ui)
