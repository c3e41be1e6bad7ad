# Shared by the entry-point scripts: install what the build needs, then configure and build.
# shellcheck shell=bash

TARSEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TARSEL_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev libhidapi-dev libudev-dev
  xvfb xauth fonts-liberation fonts-wqy-microhei
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs only the packages that are missing, so a warm machine skips apt entirely.
ensure_packages() {
  local missing=() pkg
  for pkg in "${TARSEL_PACKAGES[@]}"; do
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

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$TARSEL_ROOT" -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$(nproc)"
}
