# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the player under Xvfb, against an empty Qt window started
# the same way.
if(TARGET vorlix_xsession)
  vorlix_add_bench(bench_startup_baseline
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup_baseline.cpp
    LIBS Qt6::Widgets)
  # Kept out of the bench folder: scripts/run-benches.sh runs every bench_*
  # there, and this one is only a window for bench_startup to start.
  set_target_properties(bench_startup_baseline PROPERTIES
    AUTOMOC OFF AUTORCC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/helpers)

  vorlix_add_player_bench(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp)
endif()
