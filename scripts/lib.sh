# Shared by scripts/run and scripts/test: install what is missing, then build.
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

# build DIR [extra cmake arguments...]
build() {
    local dir="$1"
    shift
    cmake -S "$VARNELOX_ROOT" -B "$VARNELOX_ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$VARNELOX_ROOT/$dir" -j "$JOBS"
}

# A private runtime folder for Qt, as a desktop session would have.
private_runtime_dir() {
    local dir
    dir="$(mktemp -d)"
    chmod 700 "$dir"
    echo "$dir"
}
