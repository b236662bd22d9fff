# Debian packages the build and the tests need; sourced by the scripts in this folder.
# qt6-svg-dev serves the icon tool and its test only; desktop-file-utils, appstream and
# man-db check the desktop entry, the metainfo and the manual pages.
CT_PACKAGES="cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
qt6-base-dev qt6-svg-dev nlohmann-json3-dev libgl-dev fonts-dejavu-core xauth xvfb iproute2 \
desktop-file-utils appstream man-db"
# What scripts/package needs on top: dpkg-shlibdeps (dpkg-dev) and file, which CPack uses
# to find the executables.
CT_PACKAGE_TOOLS="dpkg-dev file"

# Installs what is missing of the packages given (default: CT_PACKAGES) as root, or says
# what to install.
ct_install_packages() {
    local wanted=${*:-$CT_PACKAGES}
    local missing=""
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Please install these Debian packages first:" >&2
        echo "  sudo apt-get install$missing" >&2
        return 1
    fi
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null
}
