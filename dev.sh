#!/usr/bin/env bash
# One entry point for setting up, building and running Orvell on Debian 12 or 13.
#   ./dev.sh run     install what is missing, build (release) and open the reader
#   ./dev.sh test    install what is missing, build (debug, sanitizers, warnings as errors)
#                    and run every test, then the tests of the files saved on a thread of
#                    their own (storage, vocabulary, places, settings, history) under
#                    ThreadSanitizer, then each fuzz target briefly, then clang-tidy over
#                    the sources (ORVELL_TIDY=skip leaves clang-tidy out)
#   ./dev.sh tidy    build (debug) and check the sources with clang-tidy
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

packages=(
    cmake g++ make pkg-config dpkg-dev
    libicu-dev qt6-base-dev libgl-dev libzip-dev libxml2-dev libsqlite3-dev libqcustomplot-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev clang-format clang-tidy-19
    xvfb xauth fonts-liberation fonts-dejavu-core fonts-wine qt6-translations-l10n
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

jobs=$(nproc 2>/dev/null || echo 2)

# clang-tidy (.clang-tidy) over the project's own sources, never build/ or generated code: what
# the dev build compiles (the libraries, the window, the tests, the benchmarks), and the fuzz
# targets from the fuzz build's compilation database. Any finding fails.
tidy() {
    local log start=$SECONDS status=0
    log=$(mktemp)
    cmake --preset fuzz >/dev/null
    run-clang-tidy-19 -p build/dev -quiet -j "$jobs" \
        "^$PWD/(engine|storage|vocabulary|books|places|settings|history|session|ui|app|tests|bench)/" >"$log" 2>&1 || status=$?
    run-clang-tidy-19 -p build/fuzz -quiet -j "$jobs" "^$PWD/fuzz/" >>"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        grep -E -A3 '(warning|error):' "$log" || tail -n 40 "$log"
        rm -f "$log"
        echo "clang-tidy: FAILED ($((SECONDS - start)) s)"
        return 1
    fi
    rm -f "$log"
    echo "clang-tidy: no finding ($((SECONDS - start)) s)"
}

case "${1:-}" in
run)
    install_missing
    cmake --preset release >/dev/null
    cmake --build --preset release --target orvell -j "$jobs"
    exec ./build/release/app/orvell
    ;;
test)
    install_missing
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$jobs"
    QT_QPA_PLATFORM=offscreen ctest --preset dev -j "$jobs"
    # The vocabulary, the reading places, the settings and the history save on threads of
    # their own.
    cmake --preset tsan >/dev/null
    cmake --build --preset tsan -j "$jobs"
    ctest --preset tsan -j "$jobs"
    fuzz/run 5
    if [ "${ORVELL_TIDY:-}" = skip ]; then
        echo "clang-tidy: skipped (ORVELL_TIDY=skip)"
    else
        tidy
    fi
    ;;
tidy)
    install_missing
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$jobs"
    tidy
    ;;
*)
    echo "usage: $0 run|test|tidy" >&2
    exit 2
    ;;
esac
