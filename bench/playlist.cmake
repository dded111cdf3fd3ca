# SPDX-License-Identifier: GPL-3.0-or-later
vorlix_add_bench(bench_playlistfile SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_playlistfile.cpp LIBS vorlix_core)
# Nothing to moc here; without it no bench_playlistfile_autogen folder sits
# among the bench executables.
set_target_properties(bench_playlistfile PROPERTIES AUTOMOC OFF AUTORCC OFF)

vorlix_add_bench(bench_playlistwindow SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_playlistwindow.cpp
  LIBS vorlix_doubles)
