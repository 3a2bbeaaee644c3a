#!/usr/bin/env bash
# Set-up, build and start for a fresh Debian machine.
#   scripts/belvanto.sh run    install what is missing, build, start the program
#   scripts/belvanto.sh test   install what is missing, build, run all tests
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ ccache qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
          libktoblzcheck1v5 libktoblzcheck1-dev clang libclang-rt-14-dev clang-format qt6-translations-l10n fonts-liberation2 fonts-liberation
          libpugixml-dev libxml2-dev libsimdjson-dev pkgconf)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build
}

case "${1:-}" in
    run)
        install_missing
        build
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
            echo
            echo "Belvanto ist gebaut, aber dieser Rechner hat keine Anzeige (DISPLAY ist nicht gesetzt)."
            echo "Starten Sie Belvanto in einer virtuellen Anzeige:"
            echo "    sudo apt-get install xvfb && xvfb-run -a build/bin/belvanto"
            echo "Ohne Fenster arbeitet build/bin/belvanto-cli (Hilfe: build/bin/belvanto-cli --help)."
            exit 0
        fi
        exec build/bin/belvanto
        ;;
    test)
        install_missing
        build
        ctest --test-dir build --output-on-failure -j2
        ;;
    *)
        echo "Aufruf: $0 run|test" >&2
        exit 2
        ;;
esac
