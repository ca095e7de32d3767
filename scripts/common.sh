# Shared by run.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.

FATHOMIX_PACKAGES="cmake ninja-build g++ clang qt6-base-dev zlib1g-dev libjpeg-dev libgtest-dev locales fonts-dseg fonts-liberation fonts-liberation2"

install_missing() {
  local missing=()
  for p in $FATHOMIX_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  # The locale-independence tests decode under a German locale.
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not build the de_DE.UTF-8 locale"
  fi
}

BUILD_DIR=${FATHOMIX_BUILD_DIR:-build}

configure_and_build() {
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_DIR"
}
