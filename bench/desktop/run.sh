#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs desktop_bench on a virtual X desktop of its own (Xvfb, openbox, trayer), which ends with it.
# Usage: run.sh DESKTOP_BENCH [desktop_bench options, e.g. --iterations 1]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/desktop.sh"

bench="$1"
shift
artefacts="$(mktemp -d)"
start_desktop
trap 'cleanup; rm -rf "$artefacts"' EXIT
"$bench" "$@"
