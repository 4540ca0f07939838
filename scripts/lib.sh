# Shared helpers of the project's scripts: install what is missing, then configure and build.
# Sourced, not run.

SLOVNIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SLOVNIK_BUILD=${SLOVNIK_BUILD:-$SLOVNIK_ROOT/build}
SLOVNIK_FUZZ_BUILD=${SLOVNIK_FUZZ_BUILD:-$SLOVNIK_ROOT/build-fuzz}
SLOVNIK_PACKAGE_BUILD=${SLOVNIK_PACKAGE_BUILD:-$SLOVNIK_ROOT/build-package}

# Everything the program, its tests and its build-time dictionary import need.
SLOVNIK_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev
    flite1-dev
    googletest libgtest-dev zlib1g-dev
    dict-freedict-eng-ces dict-freedict-ces-eng
    libhunspell-dev hunspell-cs hunspell-en-us hunspell-tools
    fonts-dejavu-core qt6-translations-l10n
    xvfb xauth
    dbus-daemon at-spi2-core python3-pyatspi
    clang libclang-rt-dev
    desktop-file-utils appstream lintian dpkg-dev file
    python3
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
    local missing=()
    local pkg
    for pkg in "${SLOVNIK_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build() {
    cmake -S "$SLOVNIK_ROOT" -B "$SLOVNIK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$SLOVNIK_BUILD" --parallel "$(nproc)"
}

# The libFuzzer targets of tests/fuzz: a clang build of their own, instrumented with
# AddressSanitizer and UndefinedBehaviorSanitizer; only the fuzz targets are built there.
configure_and_build_fuzz() {
    cmake -S "$SLOVNIK_ROOT" -B "$SLOVNIK_FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DSLOVNIK_FUZZ=ON "$@"
    cmake --build "$SLOVNIK_FUZZ_BUILD" --parallel "$(nproc)" --target slovnik_fuzz
}

# Builds as a Debian packager does, in a build directory of its own: the default generator
# (Unix Makefiles), Debian's compiler and linker flags with every hardening option, installed
# under /usr, only what is installed (scripts/test runs the tests in its other build); then
# makes the Debian package, build-package/slovnik_<version>_<arch>.deb.
build_package() {
    local hardened=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
    # CMake takes its first flags from CXXFLAGS and LDFLAGS (programs, libraries and modules
    # alike); CPPFLAGS it ignores, so they join CXXFLAGS as debhelper does it.
    CXXFLAGS="$("${hardened[@]}" CXXFLAGS) $("${hardened[@]}" CPPFLAGS)" \
        LDFLAGS="$("${hardened[@]}" LDFLAGS)" \
        cmake -S "$SLOVNIK_ROOT" -B "$SLOVNIK_PACKAGE_BUILD" -G "Unix Makefiles" \
        -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
    cmake --build "$SLOVNIK_PACKAGE_BUILD" --parallel "$(nproc)"
    rm -f "$SLOVNIK_PACKAGE_BUILD"/slovnik_*.deb
    (cd "$SLOVNIK_PACKAGE_BUILD" && cpack -G DEB)
}
