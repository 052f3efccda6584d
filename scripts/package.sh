#!/usr/bin/env bash
# Builds the Debian package of both programs into dist/: a Release build with Debian's hardening
# flags in build-package/, then `cpack -G DEB`, then lintian over the result.
#   scripts/package.sh && apt install ./dist/*.deb
#
# The package's dependencies are worked out by dpkg-shlibdeps from the libraries the programs
# link; its version is the project's (CMakeLists.txt). The maintainer field comes from
# QV_MAINTAINER ("Name <email>"), else DEBFULLNAME and DEBEMAIL, else this repository's git user.
# Files are dated by the last commit (SOURCE_DATE_EPOCH), so the same commit gives the same files.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in cmake cpack dpkg-shlibdeps dpkg-buildflags gzip; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

maintainer=${QV_MAINTAINER:-}
if [ -z "$maintainer" ] && [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
  maintainer="$DEBFULLNAME <$DEBEMAIL>"
fi
if [ -z "$maintainer" ]; then
  name=$(git config user.name 2>/dev/null || true)
  email=$(git config user.email 2>/dev/null || true)
  [ -n "$name" ] && [ -n "$email" ] && maintainer="$name <$email>"
fi
if [ -z "$maintainer" ]; then
  echo "package.sh: no maintainer: set QV_MAINTAINER=\"Name <email>\" (or DEBFULLNAME and DEBEMAIL)" >&2
  exit 1
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

# Debian's compiler and linker flags (fortified functions, stack protector, read-only relocations,
# position-independent executables); the preprocessor's go with the compilers'.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cflags="$cppflags $(dpkg-buildflags --get CFLAGS)"
cxxflags="$cppflags $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

build=build-package
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_STRIP="$PWD/packaging/strip.sh" "${launcher[@]}" \
  -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DQV_PACKAGE_MAINTAINER="$maintainer" >/dev/null
# Only what the package holds; the tests are built by ./test.
cmake --build "$build" -j "$(nproc)" --target quorvel-logo qvlogo qv_install_files qv_changelog

rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/cpack"
mkdir -p dist
rm -f dist/quorvel-logo_*.deb
mv "$build"/cpack/quorvel-logo_*.deb dist/
deb=$(ls dist/quorvel-logo_*.deb)
echo "package.sh: $deb ($(du -h "$deb" | cut -f1))"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Section

if command -v lintian >/dev/null; then
  # Errors fail the script; warnings and notes are shown.
  lintian --info --display-info --fail-on error "$deb"
else
  echo "package.sh: lintian is missing, the package was not checked" >&2
fi
