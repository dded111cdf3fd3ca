vorlix_add_bench(bench_playlistfile SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_playlistfile.cpp LIBS vorlix_core)
