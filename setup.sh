#!/usr/bin/env bash
# Installs what Tessival needs on Debian 12, builds it, and runs it or its tests.
#
#   ./setup.sh run             build and start the program (without a display:
#                              run the membrane flow with tessival-batch)
#   ./setup.sh test            build and run the whole test suite
#   ./setup.sh test --asan     the same with AddressSanitizer + UBSan
#   ./setup.sh test --tsan     the same with ThreadSanitizer
#   ./setup.sh fuzz [SECONDS]  build the fuzz targets of the file readers with
#                              clang and run each for SECONDS (default 60)
set -euo pipefail

cd "$(dirname "$0")"

PACKAGES=(
    cmake make g++ pkg-config
    qtbase5-dev libqt5opengl5-dev libboost-dev libglu1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
)
# The readers the tests open the exports with, the mesher that fills the
# exported bodies, the circuit simulator that runs the netlists, and the
# single-node Slurm cluster the sweeps run on, with the plots' and the
# reports' checkers.
TEST_PACKAGES=(python3-vtk9 python3-meshio gmsh ngspice
    slurmctld slurmd slurm-client munge python3-matplotlib python3-jsonschema)

usage() {
    sed -n '2,11s/^# \{0,1\}//p' "$0"
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

# configure_and_build DIR [CMAKE OPTIONS...] [--target TARGET]
configure_and_build() {
    local build_dir=$1
    shift
    local options=() targets=()
    while [ $# -gt 0 ]; do
        if [ "$1" = --target ]; then
            targets=(--target "$2")
            shift 2
        else
            options+=("$1")
            shift
        fi
    done
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
    cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
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

    install_missing_packages "${TEST_PACKAGES[@]}"
    configure_and_build "$build_dir" "${options[@]}"

    local ctest=(ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)")
    # Widget and OpenGL tests need a display; without one they get a virtual
    # one. It must not reset when its last client leaves: a test starting
    # during the reset could not connect.
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${ctest[@]}"
    else
        "${ctest[@]}"
    fi
}

# Each reader's target starts from the stored corpus (fuzz/corpus/READER,
# left as it is) and keeps what it finds in build-fuzz/corpus/READER; an
# input that crashes a reader is written to build-fuzz/crashes/. Add such an
# input to fuzz/corpus/READER once the reader is mended: the test suite
# replays every stored input.
run_fuzzers() {
    local seconds=${1:-60}
    case "$seconds" in
        ''|*[!0-9]*) usage >&2; exit 2 ;;
    esac
    install_missing_packages clang libclang-rt-14-dev
    configure_and_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTESSIVAL_FUZZ=ON \
        -DTESSIVAL_BUILD_TESTS=OFF -DTESSIVAL_BUILD_BENCH=OFF --target fuzzers

    local failed=()
    mkdir -p build-fuzz/crashes
    for target in build-fuzz/fuzz/fuzz_*; do
        [ -f "$target" ] && [ -x "$target" ] || continue
        local reader=${target##*/fuzz_}
        mkdir -p "build-fuzz/corpus/$reader"
        echo "Fuzzing the $reader reader for $seconds seconds" >&2
        if ! "$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 \
            -artifact_prefix="build-fuzz/crashes/$reader-" -print_final_stats=1 \
            "build-fuzz/corpus/$reader" "fuzz/corpus/$reader"; then
            failed+=("$reader")
        fi
    done
    if [ ${#failed[@]} -gt 0 ]; then
        echo "These readers failed under the fuzzer: ${failed[*]} (inputs in build-fuzz/crashes/)" >&2
        exit 1
    fi
}

run_program() {
    install_missing_packages
    configure_and_build build
    if [ -n "${DISPLAY:-}" ]; then
        exec build/apps/tessival
    fi
    # Without a display, the batch program runs the membrane flow on a
    # virtual one (its "Save Image" entry needs OpenGL) and writes the result.
    echo "No display is available (DISPLAY is not set): running the sample flow" >&2
    echo "examples/membrane/membrane.plst with tessival-batch instead, on a virtual display (Xvfb)." >&2
    local list="$PWD/examples/membrane/membrane.plst"
    cd build
    xvfb-run -a -s "-screen 0 1280x1024x24" apps/tessival-batch "$list" -o membrane.cvx \
        --section y=40 membrane-section.png
    echo "Document:      $PWD/membrane.cvx" >&2
    echo "Image:         $PWD/membrane.png" >&2
    echo "Cross-section: $PWD/membrane-section.png" >&2
}

case "${1:-}" in
    run) shift; run_program "$@" ;;
    test) shift; run_tests "$@" ;;
    fuzz) shift; run_fuzzers "$@" ;;
    -h|--help|help) usage ;;
    *) usage >&2; exit 2 ;;
esac
