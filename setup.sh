#!/usr/bin/env bash
# Installs what Tessival needs on Debian 12, builds it, and runs it or its tests.
#
#   ./setup.sh run             build and start the program
#   ./setup.sh test            build and run the whole test suite
#   ./setup.sh test --asan     the same with AddressSanitizer + UBSan
#   ./setup.sh test --tsan     the same with ThreadSanitizer
set -euo pipefail

cd "$(dirname "$0")"

PACKAGES=(
    cmake make g++ pkg-config
    qtbase5-dev libqt5opengl5-dev libboost-dev libglu1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
)

usage() {
    sed -n '2,8s/^# \{0,1\}//p' "$0"
}

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    if [ "$(id -u)" -ne 0 ]; then
        echo "Tessival needs these Debian packages: ${missing[*]}" >&2
        echo "Install them as root, then run this command again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local build_dir=$1
    shift
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}

run_tests() {
    local build_dir=build
    local options=()
    case "${1:-}" in
        --asan) build_dir=build-asan; options=(-DTESSIVAL_ASAN=ON -DTESSIVAL_BUILD_BENCH=OFF) ;;
        --tsan) build_dir=build-tsan; options=(-DTESSIVAL_TSAN=ON -DTESSIVAL_BUILD_BENCH=OFF) ;;
        "") ;;
        *) usage >&2; exit 2 ;;
    esac

    install_missing_packages
    configure_and_build "$build_dir" "${options[@]}"

    local ctest=(ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)")
    # Widget and OpenGL tests need a display; without one they get a virtual one.
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "${ctest[@]}"
    else
        "${ctest[@]}"
    fi
}

run_program() {
    # Without a display the program still starts, on a virtual one, for
    # this long; a screenshot shows what it drew.
    local seconds=${TESSIVAL_HEADLESS_SECONDS:-6}
    install_missing_packages imagemagick
    configure_and_build build
    if [ -n "${DISPLAY:-}" ]; then
        exec build/apps/tessival
    fi
    local shot="$PWD/build/tessival-headless.png"
    echo "No display is available (DISPLAY is not set)." >&2
    echo "Starting Tessival on a virtual display (Xvfb) for ${seconds} seconds instead;" >&2
    echo "its screen is saved to $shot." >&2
    rm -f "$shot"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        build/apps/tessival & program=$!
        sleep "$1"
        if ! kill -0 "$program" 2>/dev/null; then
            wait "$program"; echo "Tessival stopped early (exit status $?)." >&2; exit 1
        fi
        import -window root "$2"
        kill "$program"; wait "$program" 2>/dev/null
        exit 0' run-headless "$seconds" "$shot"
    if [ -f "$shot" ]; then
        echo "Tessival ran; screenshot: $shot" >&2
    else
        echo "Tessival did not produce a screenshot." >&2
        exit 1
    fi
}

case "${1:-}" in
    run) shift; run_program "$@" ;;
    test) shift; run_tests "$@" ;;
    -h|--help|help) usage ;;
    *) usage >&2; exit 2 ;;
esac
