# Start-up time of the player under Xvfb, against an empty Qt window started
# the same way.
if(TARGET PkgConfig::XCB)
  vorlix_add_bench(bench_startup_baseline
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup_baseline.cpp
    LIBS Qt6::Widgets)
  # Kept out of the bench folder: scripts/run-benches.sh runs every bench_*
  # there, and this one is only a window for bench_startup to start.
  set_target_properties(bench_startup_baseline PROPERTIES
    AUTOMOC OFF AUTORCC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/helpers)

  vorlix_add_bench(bench_startup
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp
            ${CMAKE_SOURCE_DIR}/tests/x11/XSession.cpp
    LIBS vorlix_core PkgConfig::XCB)
  set_target_properties(bench_startup PROPERTIES AUTOMOC OFF AUTORCC OFF)
  add_dependencies(bench_startup vorlix bench_startup_baseline)
  target_compile_definitions(bench_startup PRIVATE
    VORLIX_PLAYER_PATH="$<TARGET_FILE:vorlix>"
    VORLIX_BASELINE_PATH="$<TARGET_FILE:bench_startup_baseline>")
endif()
