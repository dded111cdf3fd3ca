# Playing a song through a private PulseAudio null sink: the player against
# a Debian GUI peer, under Xvfb.
if(TARGET PkgConfig::XCB AND TARGET bench_startup_baseline)
  vorlix_add_bench(bench_playback
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_playback.cpp
            ${CMAKE_SOURCE_DIR}/tests/x11/XSession.cpp
    LIBS vorlix_core PkgConfig::XCB)
  set_target_properties(bench_playback PROPERTIES AUTOMOC OFF AUTORCC OFF)
  add_dependencies(bench_playback vorlix bench_startup_baseline)
  target_compile_definitions(bench_playback PRIVATE
    VORLIX_PLAYER_PATH="$<TARGET_FILE:vorlix>"
    VORLIX_BASELINE_PATH="$<TARGET_FILE:bench_startup_baseline>")
endif()
