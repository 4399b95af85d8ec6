#!/usr/bin/env bash
# Installs what the end-to-end benchmark compares against and measures with: the Debian
# packages abook, python3-vobject, time, a JDK and libez-vcard-java (with libvinnie-java,
# which it needs but does not name), the npm packages vcf and ical.js into BUILD/node, and
# compiles the Java peer into BUILD/java (never into the source tree). Quick and silent when
# everything is already there.
#
#     bench/install-peers.sh build/bench
set -euo pipefail

build=${1:?usage: bench/install-peers.sh BUILD_FOLDER}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(abook python3-vobject time default-jdk-headless libez-vcard-java libvinnie-java)
# A Node.js from another source may bring its own npm; Debian's is needed only without one.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi
bash "$here/../scripts/install-deps.sh" "${packages[@]}"

node_dir="$build/node"
if [[ ! -f "$node_dir/node_modules/vcf/package.json" ]] ||
    [[ ! -f "$node_dir/node_modules/ical.js/package.json" ]] ||
    ! cmp -s "$here/peers/package.json" "$node_dir/package.json"; then
    mkdir -p "$node_dir"
    cp "$here/peers/package.json" "$node_dir/package.json"
    (cd "$node_dir" && npm install --no-audit --no-fund --loglevel=error >/dev/null)
    echo "install-peers: installed the npm packages vcf and ical.js into $node_dir"
fi

java_dir="$build/java"
java_source="$here/peers/EzVcardToGoogleCsv.java"
if [[ ! "$java_dir/EzVcardToGoogleCsv.class" -nt "$java_source" ]]; then
    mkdir -p "$java_dir"
    javac -d "$java_dir" -cp /usr/share/java/ez-vcard.jar:/usr/share/java/vinnie.jar "$java_source"
    echo "install-peers: compiled the Java peer into $java_dir"
fi
