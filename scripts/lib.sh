# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test and scripts/package: install what is missing, then build.
set -euo pipefail

VARNELOX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

install_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$VARNELOX_ROOT/scripts/packages.txt")
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build PRESET [extra cmake arguments...]: configures and builds a preset of CMakePresets.json.
build() {
    local preset="$1"
    shift
    (
        cd "$VARNELOX_ROOT"
        cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset" -j "$JOBS"
    )
}

# make_package: the Debian package of the program built in build/, in build/package/; prints its path.
make_package() {
    (
        cd "$VARNELOX_ROOT"
        rm -f build/package/varnelox_*.deb
        cpack --preset default >/dev/null
    ) && ls "$VARNELOX_ROOT"/build/package/varnelox_*.deb
}

# A private runtime folder for Qt, as a desktop session would have.
private_runtime_dir() {
    local dir
    dir="$(mktemp -d)"
    chmod 700 "$dir"
    echo "$dir"
}
