# Shared by run.sh and test.sh.
# The last line: the icons' pixel sizes, the installation check and the
# Debian package.
KV_BUILD_PACKAGES=(cmake ninja-build g++ ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                   qt6-base-dev qt6-multimedia-dev libgl-dev qt6-charts-dev libqt6opengl6-dev
                   libcli11-dev nlohmann-json3-dev libboost-math-dev
                   librsvg2-bin desktop-file-utils appstream xvfb xdotool dpkg-dev lintian)

# Installs the named Debian packages that are not installed yet; runs
# apt-get update once, and only when something is missing.
kv_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
