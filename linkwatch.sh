#!/usr/bin/env bash
# Linkwatch's one entry point for people and CI.
#   ./linkwatch.sh test    install what is missing, build, run every test
#   ./linkwatch.sh build   install what is missing and build
#   ./linkwatch.sh demo    build and monitor a local SNMP agent that it starts itself
#   ./linkwatch.sh deps    only install the Debian packages the build needs
# BUILD_DIR (default build) and BUILD_TYPE (default RelWithDebInfo) may be set.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_DIR=${BUILD_DIR:-build}
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
JOBS=${JOBS:-$(nproc)}

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsnmp-dev snmpd snmp snmpsim
  libpugixml-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  ieee-data libwireshark-data
  # Tests: locale data for the locale-independence test (localedef), an X server
  # for the desktop program run as a user would (keys and clicks through xdotool, the
  # clipboard through xclip), and the fonts its screenshot shows.
  locales xvfb xdotool xclip fonts-dejavu-core
)

deps() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "linkwatch: installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # snmpd's package would start a system agent on port 161; our tests and the
    # demo start their own, so keep the package's service from starting.
    $sudo env DEBIAN_FRONTEND=noninteractive RUNLEVEL=1 apt-get install -y -qq \
      --no-install-recommends "${missing[@]}"
  fi
}

build() {
  deps
  # Every part the README promises must build here: a missing one fails the build.
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
    -DLINKWATCH_REQUIRE_ALL_PARTS=ON >/dev/null
  cmake --build "$BUILD_DIR" -j "$JOBS"
}

run_tests() {
  build
  # Adapter tests start their own agents on 127.0.0.1; Qt runs without a display.
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS" \
    --timeout 300
}

demo() {
  build
  if [ -x "$BUILD_DIR/apps/cli/linkwatch" ]; then
    exec tools/demo.sh "$BUILD_DIR" "$@"
  fi
  echo "linkwatch: the command-line monitor is not built yet; nothing to demonstrate." >&2
  exit 1
}

case "${1:-}" in
  test) run_tests ;;
  build) build ;;
  deps) deps ;;
  demo) shift; demo "$@" ;;
  *)
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
