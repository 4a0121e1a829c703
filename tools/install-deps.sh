#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev libqpdf-dev qpdf
          qt6-base-dev qt6-pdf-dev libgl-dev libfontconfig-dev xvfb xauth poppler-utils fonts-urw-base35
          fonts-dejavu-core python3-pikepdf clang libclang-rt-14-dev valgrind locales)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
# A German locale, so that tests can check that number conversions ignore it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen && $sudo locale-gen >/dev/null || true
fi

