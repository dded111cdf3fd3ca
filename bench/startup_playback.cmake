# SPDX-License-Identifier: GPL-3.0-or-later
# Playing a song through a private PulseAudio null sink: the player against
# a Debian GUI peer, under Xvfb.
if(TARGET vorlix_xsession AND TARGET bench_startup_baseline)
  vorlix_add_player_bench(bench_playback ${CMAKE_CURRENT_SOURCE_DIR}/bench_playback.cpp)
endif()
