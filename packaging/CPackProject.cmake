# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it packs: its Debian script is looked up here first.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/cpack)
