# SPDX-License-Identifier: GPL-3.0-or-later
# CPack's own Debian script, then one change: CPack adds postinst and postrm
# scripts that call ldconfig whenever a shared object lies below /usr/lib. The
# audio modules in the program folder are no libraries that anything links,
# so the package has no maintainer scripts at all.
include(${CMAKE_ROOT}/Modules/Internal/CPack/CPackDeb.cmake)
set(GEN_CPACK_DEBIAN_GENERATE_POSTINST 0)
set(GEN_CPACK_DEBIAN_GENERATE_POSTRM 0)
