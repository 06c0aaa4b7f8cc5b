# Shared by the scripts: the packages Daylark needs and how they are installed.
# shellcheck shell=bash

DAYLARK_PACKAGES=(cmake ninja-build g++ libgtest-dev qt6-base-dev tzdata clang libclang-rt-14-dev
    ccache fonts-dejavu-core clang-format desktop-file-utils python3 python3-icalendar
    python3-dateutil dbus)

# Installs whatever of DAYLARK_PACKAGES (plus "$@") is missing: apt-get update once, then
# install, as root or through sudo.
ensure_packages() {
    local missing=()
    local package
    for package in "${DAYLARK_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
            echo "Run this script as root, or install sudo, or install the packages by hand." >&2
            exit 1
        fi
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds a build directory: configure_and_build DIR [cmake options...]. Fails
# when either step fails, also where the caller tests its status (and `set -e` is off).
configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" && cmake --build "$dir" -j "$(nproc)"
}
