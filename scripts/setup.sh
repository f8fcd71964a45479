# Shared by ./run and ./test: the Debian packages and the build.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation2 pkg-config libmosquitto-dev
    qt6-websockets-dev libqrencode-dev)
TEST_PACKAGES=(xvfb xauth openbox xdotool imagemagick x11-utils inotify-tools mosquitto mosquitto-clients openssl
    chromium python3 iproute2)
# the help file: chmcmd builds it (fp-utils), xchm shows it, xdg-utils finds the viewer
BUILD_PACKAGES+=(fp-utils xchm xdg-utils)
# checking the help file, the desktop entry, the metainfo and the Debian package
TEST_PACKAGES+=(libchm-bin desktop-file-utils appstream dpkg-dev file lintian)
# another program that owns the clipboard, for pasting into the control window
TEST_PACKAGES+=(xclip)
# reading back the QR codes of the web page's addresses
TEST_PACKAGES+=(zbar-tools)
# a Wayland desktop with X11 beside it, for the choice of the platform
TEST_PACKAGES+=(weston xwayland qt6-wayland)

need_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These packages are missing: ${missing[*]}" >&2
            echo "Install them as root (apt-get install ${missing[*]}); neither root nor sudo is available here." >&2
            exit 1
        fi
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_project() {
    if [ ! -f build/CMakeCache.txt ]; then
        cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    build_quietly build
}

# builds in the folder $1 without the progress lines, and fails as the build does
build_quietly() {
    cmake --build "$1" -j"$(nproc)" -- --no-print-directory |
        { grep -vE '^\[ *[0-9]+%\]|^Consolidate compiler generated' || true; } || return "${PIPESTATUS[0]}"
    return "${PIPESTATUS[0]}"
}

# The same sources once more with AddressSanitizer and UndefinedBehaviorSanitizer,
# in build-asan/ (no benchmarks there).
build_sanitized() {
    if [ ! -f build-asan/CMakeCache.txt ]; then
        # less optimisation and line tables only: quicker to build, the reports still name the lines
        cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
            -DQUENDRASIL_SANITIZE=ON >/dev/null
    fi
    build_quietly build-asan
}

# Runs the unit tests, and the end-to-end tests of the network, the web page
# and the clipboard, on the sanitized build. Every report goes to a file of
# its own; one report fails the run, whether or not its test noticed.
test_sanitized() {
    local reports
    reports=$(pwd)/build-asan/sanitizer-reports
    rm -rf "$reports" && mkdir -p "$reports"
    local status=0
    (
        cd build-asan
        # the sharing module binds to the program's clock and holds no copy
        # of it: a global that the two define both is reported
        export ASAN_OPTIONS="log_path=$reports/asan:verify_asan_link_order=0:detect_leaks=1:detect_odr_violation=2"
        export LSAN_OPTIONS="suppressions=$(pwd)/../tests/sanitizer/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
        s=0
        ctest --output-on-failure -j2 -LE e2e "$@" || s=1
        ctest --output-on-failure -j2 -L 'network|web|sanitize' "$@" || s=1
        exit $s
    ) || status=$?
    if compgen -G "$reports/*" >/dev/null; then
        echo "Sanitizer reports:" >&2
        for f in "$reports"/*; do echo "== $f" >&2; head -n 60 "$f" >&2; done
        return 1
    fi
    return $status
}
