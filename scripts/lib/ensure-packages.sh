#!/usr/bin/env bash
# Installs what the purposes named on the command line need (build, windows, screenshot, package, fuzz:
# see packages.sh) and is not installed yet, then checks that every command they call is there. Something
# missing stops here with one line naming it and its package, before any build or test can fail on it;
# so does a missing sudo, when something is to be installed by a user other than root.
set -euo pipefail
source "$(dirname "$0")/packages.sh"

packages=()
needs=()
for purpose in "$@"; do
    list="${purpose^^}_PACKAGES[@]"
    checks="${purpose^^}_NEEDS"
    [ -n "${!checks:-}" ] || { echo "ensure-packages: no purpose '$purpose' in packages.sh" >&2; exit 2; }
    packages+=("${!list}")
    read -r -d '' -a more <<<"${!checks}" || true
    needs+=("${more[@]}")
done

# Stops with one line when thing (a command, or /a/file) is not there: "command:package" or "/file:package".
check_need() {
    local thing=${1%%:*} package=${1#*:}
    if [[ "$thing" == /* ]]; then
        [ -e "$thing" ] && return
    else
        command -v "$thing" >/dev/null && return
    fi
    echo "missing: $thing (from the Debian package $package: apt-get install $package)" >&2
    exit 1
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        check_need "$SUDO_NEED"
        sudo_cmd=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

for need in "${needs[@]}"; do
    check_need "$need"
done
