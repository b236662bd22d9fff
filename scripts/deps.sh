# Debian packages the build and the tests need; sourced by the scripts in this folder.
CT_PACKAGES="cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
qt6-base-dev nlohmann-json3-dev libgl-dev fonts-dejavu-core xauth xvfb iproute2"

# Installs what is missing (as root), or says what to install.
ct_install_packages() {
    local missing=""
    for p in $CT_PACKAGES; do
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
