# SPDX-License-Identifier: GPL-3.0-or-later
vorlix_add_bench(bench_engine SOURCES ${CMAKE_SOURCE_DIR}/bench/bench_engine.cpp LIBS vorlix_engine vorlix_sdl)
