# Shared by ./run and ./test: the Debian packages and the build.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation2 pkg-config libmosquitto-dev
    qt6-httpserver-dev qt6-websockets-dev)
TEST_PACKAGES=(xvfb xauth openbox xdotool imagemagick x11-utils inotify-tools mosquitto mosquitto-clients openssl
    chromium python3 iproute2)
# the help file: chmcmd builds it (fp-utils), xchm shows it, xdg-utils finds the viewer
BUILD_PACKAGES+=(fp-utils xchm xdg-utils)
# checking the help file, the desktop entry, the metainfo and the Debian package
TEST_PACKAGES+=(libchm-bin desktop-file-utils appstream dpkg-dev file)
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
    cmake --build build -j"$(nproc)" -- --no-print-directory | grep -vE '^\[ *[0-9]+%\]|^Consolidate compiler generated' || true
    # the build must have succeeded
    cmake --build build -j"$(nproc)" >/dev/null
}
