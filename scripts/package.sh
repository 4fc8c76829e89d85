#!/bin/sh
# Builds the Debian package as Debian builds packages (dpkg-buildpackage,
# debhelper, debian/): ratiomat_<version>_amd64.deb and its debug symbols,
# ratiomat-dbgsym_<version>_amd64.deb, into the top folder of the checkout.
# Install it with
#   apt-get install ./ratiomat_*.deb
#
#   scripts/package.sh [build folder]     (default build-package/)
#
# The build folder gets a clean copy of the source tree (no .git, no build
# folders), the native source package made from it (.dsc, .tar.xz) and the
# binary packages. The tests are not built (DEB_BUILD_OPTIONS=nocheck):
# scripts/test.sh runs them. Two runs give the same bytes, in any folder and
# at any time (scripts/test-package.sh checks it).
set -eu
cd "$(dirname "$0")/.."
dir=${1:-build-package}
for tool in dpkg-buildpackage dpkg-parsechangelog dh; do
  if ! command -v "$tool" >/dev/null; then
    echo "package.sh: $tool is missing: run scripts/install-deps.sh" >&2
    exit 1
  fi
done
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
src=$dir/ratiomat-$version
rm -rf "$src" "$dir"/ratiomat_* "$dir"/ratiomat-dbgsym_*
mkdir -p "$src"
# The checkout without what .gitignore keeps out of the repository.
tar -c --exclude=./.git --exclude='./build*' --exclude=./.cache --exclude=./test-artifacts \
  --exclude='./ratiomat_*' --exclude='./ratiomat-dbgsym_*' --exclude=compile_commands.json \
  --exclude='*.user' --exclude=__pycache__ . | tar -x -C "$src"
(cd "$src" && DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -Pnocheck >../build.log 2>&1) || {
  tail -40 "$dir/build.log" >&2
  echo "package.sh: dpkg-buildpackage failed; the whole log is $dir/build.log" >&2
  exit 1
}
deb=ratiomat_${version}_$arch.deb
dbgsym=ratiomat-dbgsym_${version}_$arch.deb
for f in "$deb" "$dbgsym"; do
  if [ ! -f "$dir/$f" ]; then
    echo "package.sh: dpkg-buildpackage made no $f (log: $dir/build.log)" >&2
    exit 1
  fi
done
rm -f ratiomat_*_"$arch".deb ratiomat-dbgsym_*_"$arch".deb
cp "$dir/$deb" "$dir/$dbgsym" .
echo "$dbgsym"
echo "$deb"
