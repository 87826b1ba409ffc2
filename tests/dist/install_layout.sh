#!/usr/bin/env bash
# What `cmake --install` puts where, checked on the files themselves:
#  1. this build tree installed into a temporary prefix: every file in its place, the
#     desktop entry, icon, metainfo, man pages and changelog agreeing with each other;
#  2. a tree configured as the package is (prefix /usr, multiarch LIBDIR as on Debian):
#     the udev rule still under /usr/lib/udev/rules.d, where udev looks.
set -euo pipefail
build=$1 source=$2 version=$3 generator=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
p=$tmp/prefix
for f in bin/corvane bin/corvane-cli bin/corvane-demo \
         share/corvane/demo.bin \
         share/applications/corvane.desktop \
         share/icons/hicolor/scalable/apps/corvane.svg \
         share/metainfo/org.example.corvane.metainfo.xml \
         lib/udev/rules.d/70-corvane.rules \
         share/doc/corvane/copyright share/doc/corvane/changelog.gz; do
  [ -f "$p/$f" ] || fail "$f is not installed"
done
for b in "$p"/bin/*; do
  [ -x "$b" ] || fail "bin/${b##*/} is not executable"
  page=$p/share/man/man1/${b##*/}.1.gz
  if [ ! -f "$page" ]; then
    fail "bin/${b##*/} has no man page"
  elif ! gzip -t "$page" || ! gzip -dc "$page" | grep -q "^\.TH "; then
    fail "${page#$p/} is not a gzipped man page"
  fi
done

desktop=$p/share/applications/corvane.desktop
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$exec_cmd" ] && [ -x "$p/bin/$exec_cmd" ] || fail "the desktop entry starts '$exec_cmd', not an installed program"
[ -n "$icon" ] && [ -f "$p/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the desktop entry's icon '$icon' is not installed"
metainfo=$p/share/metainfo/org.example.corvane.metainfo.xml
grep -q '<id>org.example.corvane</id>' "$metainfo" || fail "the metainfo id is not its file name"
launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
[ -f "$p/share/applications/$launchable" ] || fail "the metainfo launches '$launchable', not the installed desktop entry"
while read -r binary; do
  [ -x "$p/bin/$binary" ] || fail "the metainfo provides '$binary', which is not installed"
done < <(sed -n 's/.*<binary>\(.*\)<\/binary>.*/\1/p' "$metainfo")
head -n 1 < <(gzip -dc "$p/share/doc/corvane/changelog.gz") | grep -q "^corvane ($version) " \
  || fail "the changelog's last entry is not version $version"
listing=$("$p/bin/corvane-cli" list "$p/share/corvane/demo.bin") || fail "the installed corvane-cli cannot list the installed sample"
[ -n "$listing" ] || fail "the installed sample lists no measurement"

# The package's configuration. Only the data component: it needs no compiled program.
multiarch=lib/x86_64-linux-gnu
cmake -S "$source" -B "$tmp/usr-tree" -G "$generator" -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_INSTALL_LIBDIR=$multiarch -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$tmp/usr-tree" --target corvane_dist_files >/dev/null
DESTDIR=$tmp/root cmake --install "$tmp/usr-tree" --component data >/dev/null
[ -f "$tmp/root/usr/lib/udev/rules.d/70-corvane.rules" ] || fail "with prefix /usr the udev rule is not in /usr/lib/udev/rules.d"
[ ! -e "$tmp/root/usr/$multiarch" ] || fail "with prefix /usr something is installed under /usr/$multiarch: $(cd "$tmp/root/usr" && find $multiarch -type f)"

[ "$failures" -eq 0 ]
