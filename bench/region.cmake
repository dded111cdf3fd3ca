# SPDX-License-Identifier: GPL-3.0-or-later
vorlix_add_bench(bench_region SOURCES ${CMAKE_SOURCE_DIR}/bench/bench_region.cpp LIBS vorlix_core)
