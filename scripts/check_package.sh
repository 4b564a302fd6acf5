#!/usr/bin/env bash
# Builds the Debian package in build-deb/ and checks it: lintian must report
# no error and no warning, the AppStream metadata must pass
# `appstreamcli validate-tree` (pedantic notes are shown but do not fail)
# and the desktop entry `desktop-file-validate` without a word. Installs what
# it needs (through sudo when not root); exits non-zero on any failure.
#
# The package is compiled with Debian's hardening flags (dpkg-buildflags,
# with bindnow as well), in its own folder so that build/ keeps its own
# flags, and with the program in games, as Debian keeps games in /usr/games.
# No lintian tag is suppressed: none that lintian reports here is wrong for
# a game. Its info-level notes are printed, not failed on.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --packages-only
scripts/install_missing.sh lintian appstream desktop-file-utils dpkg-dev file

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

# The package needs only the program and its compressed documents: the
# tests, tools and benchmarks are not built, and installing does not build
# everything first.
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_INSTALL_BINDIR=games -DMELDORA_BUILD_TESTS=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
nice -n 10 cmake --build build-deb --target meldora meldora_docs
rm -f build-deb/meldora_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
deb=$(ls build-deb/meldora_*.deb)
echo "Built $deb"

failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

version=$(dpkg-deb -f "$deb" Version)
logged=$(dpkg-parsechangelog -l packaging/changelog -S Version)
[ "$logged" = "$version" ] ||
  fail "packaging/changelog's latest entry is $logged, the package is $version: add an entry"

echo "== lintian"
lintian_status=0
notes=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || lintian_status=$?
[ -z "$notes" ] || echo "$notes"
[ "$lintian_status" -eq 0 ] || fail lintian

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

# The program looks for its sounds in ../share/meldora/sounds from its folder.
[ -x "$root/usr/games/meldora" ] && ls "$root"/usr/games/../share/meldora/sounds/*.wav >/dev/null ||
  fail "the program is not in /usr/games or its sounds are not in /usr/share/meldora/sounds"

# Lintian reports a missing immediate binding only as information and does
# not look for the stack protector; both come from the flags above.
if grep -q hardening-no-bindnow <<<"$notes"; then
  fail "the program was not linked with the hardening flags"
fi
symbols=$(readelf -W --dyn-syms "$root/usr/games/meldora" 2>&1 || true)
grep -q __stack_chk_fail <<<"$symbols" || fail "the program was not built with the stack protector"

echo "== appstreamcli validate-tree"
# --no-net: the web addresses (the screenshot's among them) are not fetched;
# the check does not depend on the network or on the project's site.
appstreamcli validate-tree --strict --pedantic --no-net "$root" || fail appstreamcli

echo "== desktop-file-validate"
if ! report=$(desktop-file-validate "$root"/usr/share/applications/*.desktop 2>&1) || [ -n "$report" ]; then
  fail "desktop-file-validate: $report"
fi

[ "$failed" -eq 0 ] && echo "Package checks passed: $deb"
exit "$failed"
