#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Ohmbra need,
# but only those that are missing: on a machine that has them all it prints nothing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libjpeg62-turbo-dev
    libgtest-dev libbenchmark-dev libx11-dev
    xvfb xauth xdotool x11-utils imagemagick
    fonts-wqy-microhei
    desktop-file-utils appstream
    locales valgrind
)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# The tests check that a decimal-comma locale changes no number text.
ensure_test_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
    echo "install-deps: generating the de_DE.UTF-8 locale for the tests"
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    ensure_test_locale
    exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
    echo "install-deps: missing packages ${missing[*]}, and no apt-get to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
ensure_test_locale
