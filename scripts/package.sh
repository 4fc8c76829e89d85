#!/bin/sh
# Builds the Debian package ratiomat_<version>_amd64.deb into the top folder
# of the checkout, from a release build in build-package/ (or $1) made with
# Debian's hardening flags. Install it with
#   apt-get install ./ratiomat_*.deb
set -eu
cd "$(dirname "$0")/.."
dir=${1:-build-package}
# dpkg-dev brings dpkg-buildflags and dpkg-shlibdeps, which works out the
# run-time dependencies from the libraries the program links.
for tool in dpkg-buildflags dpkg-shlibdeps cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "package.sh: $tool is missing: run scripts/install-deps.sh" >&2
    exit 1
  fi
done
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
# Only the program is built: the package needs no tests or benchmarks.
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" --target ratiomat
rm -f "$dir"/ratiomat_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
set -- "$dir"/ratiomat_*_amd64.deb
if [ ! -f "$1" ]; then
  echo "package.sh: cpack made no package" >&2
  exit 1
fi
rm -f ratiomat_*_amd64.deb
cp "$1" .
echo "$(basename "$1")"
