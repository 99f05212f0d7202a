# Sourced by ./run and ./test: installs what the build needs when it is missing, then configures
# and builds on two cores. Usage: meri_build [cmake target...]
set -euo pipefail

MERI_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libgl-dev libsqlite3-dev libgtest-dev
               libgmock-dev libbenchmark-dev fonts-dejavu-core ccache libpq-dev postgresql)

meri_install_missing() {
    local missing=()
    for p in "${MERI_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installation des paquets manquants : ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    elif command -v sudo >/dev/null 2>&1; then
        sudo apt-get update -qq
        sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Paquets manquants : ${missing[*]} (installez-les en root)" >&2
        exit 1
    fi
}

meri_build() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    MERI_BUILD_DIR="${MERI_BUILD_DIR:-$root/build}"
    meri_install_missing
    cmake -S "$root" -B "$MERI_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERI_WERROR=ON \
        > "$MERI_BUILD_DIR.configure.log" 2>&1 || { cat "$MERI_BUILD_DIR.configure.log"; exit 1; }
    if [ $# -gt 0 ]; then
        cmake --build "$MERI_BUILD_DIR" -j2 --target "$@"
    else
        cmake --build "$MERI_BUILD_DIR" -j2
    fi
}
