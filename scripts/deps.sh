#!/usr/bin/env bash
# Installs whatever the build, the tests and the desktop program need and is not yet on this machine.
# A machine that has everything only pays for one dpkg-query call.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libboost-dev
  libfreetype-dev libfontconfig-dev fontconfig libharfbuzz-dev libfribidi-dev
  libpolyclipping-dev
  fonts-dejavu-core fonts-ipafont-gothic fonts-noto-cjk
  fonts-kouzan-mouhitsu fonts-aoyagi-soseki fonts-kaushanscript fonts-misaki fonts-ipaexfont-mincho
  fonts-lohit-deva
  libstb-dev zlib1g-dev
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev libwebp-dev
  libepoxy-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libgbm1
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev libqt6svg6 libgl-dev xvfb xauth x11-utils
  qt6-l10n-tools qt6-translations-l10n lintian
  dpkg-dev man-db libxml2-utils appstream
  shared-mime-info desktop-file-utils xdg-utils
  clang libclang-rt-dev
  chromium
)
# Node.js runs the browser tests. A machine may have it from elsewhere (with npm bundled, which
# the Debian npm package would conflict with): only what is missing as a command is installed.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
while read -r name status; do
  [ "$status" = "installed" ] || missing+=("$name")
done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
# dpkg-query prints nothing for packages it has never heard of
for p in "${packages[@]}"; do
  dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || missing+=("$p")
done
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u | sed '/^$/d')

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Browser test driver, from the committed lock file
if [ -f package-lock.json ] &&
  { [ ! -d node_modules/playwright-core ] || [ ! -d node_modules/three ] || [ ! -d node_modules/gltf-validator ]; }; then
  npm ci --no-audit --no-fund --loglevel=error
fi
