#!/usr/bin/env bash
# Linkwatch's one entry point for people and CI.
#   ./linkwatch.sh test    install what is missing, build, run every test
#   ./linkwatch.sh build   install what is missing and build
#   ./linkwatch.sh demo    build and monitor a local SNMP agent that it starts itself
#   ./linkwatch.sh deps    only install the Debian packages the build needs
# BUILD_DIR (default build) and BUILD_TYPE (default RelWithDebInfo) may be set.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-sanitize, Debug) and runs the tests that way.
set -euo pipefail
cd "$(dirname "$0")"

SANITIZE=${SANITIZE:-0}
if [ "$SANITIZE" = 1 ]; then
  BUILD_DIR=${BUILD_DIR:-build-sanitize}
  BUILD_TYPE=${BUILD_TYPE:-Debug}
else
  BUILD_DIR=${BUILD_DIR:-build}
  BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
JOBS=${JOBS:-$(nproc)}

# Sanitizer reports: third-party leaks are suppressed (each one explained in the
# file), undefined behaviour prints its stack. Harmless for a normal build.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# ccache, when installed, shares compiled objects between builds and between
# clones in other folders (paths are hashed relative to the repository).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  libsnmp-dev snmpd snmp snmpsim
  libpugixml-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-charts-dev libqt6opengl6-dev qt6-httpserver-dev qt6-websockets-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  ieee-data libwireshark-data
  # Tests: a Prometheus server and promtool for the exporter; locale data for the
  # locale-independence test (localedef); an X server for the desktop program run
  # as a user would (keys and clicks through xdotool, the clipboard through xclip),
  # and the fonts its screenshot shows.
  prometheus locales xvfb xdotool xclip fonts-dejavu-core
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
  local sanitize=OFF launcher=""
  [ "$SANITIZE" = 1 ] && sanitize=ON
  command -v ccache >/dev/null && launcher=ccache
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
    -DLINKWATCH_REQUIRE_ALL_PARTS=ON -DLINKWATCH_SANITIZE="$sanitize" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" >/dev/null
  cmake --build "$BUILD_DIR" -j "$JOBS"
}

run_tests() {
  build
  # Adapter tests start their own agents on 127.0.0.1; Qt runs without a display.
  # The sanitizer run leaves out the packaging tests: they build hosts without
  # the sanitizers against the installed, sanitized library.
  local skip=()
  [ "$SANITIZE" = 1 ] && skip=(-E '^InstalledPackage[.]')
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS" \
    --timeout 300 "${skip[@]}"
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
    sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
