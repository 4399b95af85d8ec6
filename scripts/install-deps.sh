#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and fuzz Brimwell, and any further
# packages named as arguments (the benchmark's peers, for example).
# Quick and silent about apt when everything is already installed.
set -euo pipefail

packages=(
    cmake ninja-build g++ make python3
    qt6-base-dev libicu-dev
    libgtest-dev libgmock-dev libcli11-dev libbenchmark-dev
    clang clang-format libclang-rt-14-dev
    xvfb xauth
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: all ${#packages[@]} packages are present"
    exit 0
fi

if ((EUID == 0)); then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "install-deps: missing ${missing[*]}, and neither root nor sudo is available" >&2
    exit 1
fi

"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "install-deps: installed ${missing[*]}"
