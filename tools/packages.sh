# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian packages the game needs to build and run, and those the test suite adds.
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev
                libpulse-dev libqt6svg6 qt6-qpa-plugins fonts-liberation fonts-urw-base35 python3)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth
               xdotool x11-utils desktop-file-utils appstream python3 python3-dbus
               python3-pyatspi at-spi2-core dbus dbus-x11 dpkg-dev file libx11-6 reuse git orca
               pulseaudio pulseaudio-utils pipewire-pulse wireplumber e2fsprogs weston
               qt6-wayland adwaita-qt6 qt6-gtk-platformtheme)
# Building the Debian package the Debian way and checking it (tools/package).
PACKAGE_PACKAGES=(build-essential debhelper lintian)
