#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Pictures of every window in docs/windows/, drawn on a virtual X server, of
# the help shown on request in docs/help/, and of the main window as the
# program starts in docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh imagemagick
scripts/build.sh tools
# shellcheck source=scripts/xvfb-lib.sh
. scripts/xvfb-lib.sh
start_xvfb
trap stop_xvfb EXIT
QT_QPA_PLATFORM=xcb build/tools/window_pictures docs/windows
QT_QPA_PLATFORM=xcb build/tools/help_pictures docs/help
QT_QPA_PLATFORM=xcb scripts/screenshot.sh build docs/main-window.png
ls docs/windows
