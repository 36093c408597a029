# Shared set-up for the project's scripts: sourced, not run.
set -euo pipefail

HALVENEK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
HALVENEK_BUILD="${HALVENEK_BUILD:-$HALVENEK_ROOT/build}"
HALVENEK_JOBS="${HALVENEK_JOBS:-$(nproc)}"

# Debian packages the build, the tests and the tools need.
HALVENEK_PACKAGES=(
    build-essential cmake pkg-config ccache
    juce-modules-source fst-dev lv2-dev fonts-wine
    liblilv-dev sordi
    libasound2-dev libjack-jackd2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libgl-dev
    libpng-dev libjpeg-dev zlib1g-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth xdotool python3
)

install_missing_packages()
{
    local missing=()
    for package in "${HALVENEK_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done

    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build()
{
    # Relative paths inside the tree let ccache share results between clones.
    export CCACHE_BASEDIR="$HALVENEK_ROOT"
    cmake -S "$HALVENEK_ROOT" -B "$HALVENEK_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$HALVENEK_BUILD" --parallel "$HALVENEK_JOBS"
}
