# Shared by run.sh and test.sh: installs missing Debian packages and builds.
# Source it from the repository root.

# Packages the build, the tests and the running editor need (Debian 12).
GLOWMOTION_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev
    libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-unifont fonts-misaki
    libgtest-dev libgmock-dev libbenchmark-dev
    libgif-dev libpng-dev
)

# What the tests need beyond the build: a real E1.31 and Art-Net receiver
# (OLA's olad) and the tools that give it a network namespace of its own, and
# ImageMagick, which reads the exported X11 bitmaps back.
GLOWMOTION_TEST_PACKAGES=(ola iproute2 util-linux imagemagick)

# Tools that make the Debian package: scripts/package.sh and its test.
GLOWMOTION_PACKAGE_TOOLS=(dpkg-dev file)

# Tools that measure the preview under a virtual display: scripts/measure-preview.sh.
GLOWMOTION_MEASURE_TOOLS=(xvfb xauth xdotool)

# Prints the packages of "$@" that dpkg does not report as installed.
missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$pkg"
        fi
    done
}

# Installs whatever of "$@" is missing. As root it runs apt-get; otherwise it
# prints the one command to run and fails.
ensure_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        if ! apt-get install -y --no-install-recommends "${missing[@]}"; then
            apt-get update
            apt-get install -y --no-install-recommends "${missing[@]}"
        fi
    else
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Install them with:" >&2
        echo "    sudo apt-get install -y ${missing[*]}" >&2
        return 1
    fi
}

# Configures the build directory $1 with the extra CMake options that
# follow. Options given once stay in the directory's cache.
configure_tree() {
    local dir=$1
    shift
    # A compiler cache, where one is installed, makes rebuilds of other
    # checkouts and build types cheap; the build does not need it.
    local launcher=()
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
}

# Configures and builds everything in the directory $1 with the extra CMake
# options that follow; an existing build is brought up to date incrementally.
build_tree() {
    configure_tree "$@"
    cmake --build "$1" -j "$(nproc)"
}

# Configures the directory $1 with the options after $2, and builds only the
# target $2 and what it needs.
build_target() {
    local dir=$1 target=$2
    shift 2
    configure_tree "$dir" "$@"
    cmake --build "$dir" -j "$(nproc)" --target "$target"
}
