#!/usr/bin/env bash
# Makes the release packages from a build directory and checks them: the
# Windows archive holds exactly the expected files, its two DLLs are byte for
# byte (and export for export) the tested builds and carry the version
# resource; the Linux archive and the three Debian packages hold their files,
# and the .deb contents unpacked into a fresh root serve a consumer built with
# find_package and with pkg-config, and the tool there runs.
# usage: check_packages.sh SOURCE_DIR BUILD_DIR WORK_DIR TESTED_DLL32_DIR TESTED_DLL64_DIR
set -euo pipefail
src=$1 build=$2 work=$3 dll32=$4 dll64=$5
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
pkgs=$work/packages

echo "== Windows archive"
zip=$pkgs/Pixmill-$version-windows.zip
[ -f "$zip" ] || fail "no $zip"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
expected="LICENSE README.txt include/pixmill.h reference.md vb6/Pixmill.bas vb6/PixmillExample.bas x64/Pixmill.dll x86/Pixmill.dll"
actual=$(cd "$work/zip" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
[ "$actual" = "$expected" ] || fail "archive holds: $actual; expected: $expected"
for pair in LICENSE:LICENSE include/pixmill.h:include/pixmill.h reference.md:docs/reference.md \
            vb6/Pixmill.bas:bindings/vb6/Pixmill.bas vb6/PixmillExample.bas:bindings/vb6/PixmillExample.bas; do
  cmp -s "$work/zip/${pair%%:*}" "$src/${pair#*:}" || fail "${pair%%:*} is not the source's ${pair#*:}"
done
exports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p'; }
for pair in "x86:$dll32" "x64:$dll64"; do
  arch=${pair%%:*} tested=${pair#*:}/Pixmill.dll
  packed=$work/zip/$arch/Pixmill.dll
  cmp "$packed" "$tested" || fail "$arch/Pixmill.dll is not the tested $tested"
  [ "$(exports "$packed")" = "$(exports "$tested")" ] || fail "$arch/Pixmill.dll: export table differs"
  [ "$(exports "$packed" | grep -c Render_)" -gt 60 ] || fail "$arch/Pixmill.dll: too few exports"
  python3 - "$packed" "$version" <<'PY' || fail "$arch/Pixmill.dll: version resource"
import sys
data = open(sys.argv[1], "rb").read()
for text in ("VS_VERSION_INFO", "ProductName", "Pixmill", "FileVersion", sys.argv[2], "MIT License"):
    if text.encode("utf-16-le") not in data:
        sys.exit(f"no '{text}' in the version resource")
PY
done
grep -q "MIT License" "$work/zip/README.txt" || fail "README.txt does not name the licence"

echo "== Linux archive"
tgz=$pkgs/Pixmill-$version-Linux.tar.gz
listing=$(tar tzf "$tgz")
for f in bin/pixmill include/pixmill.h "lib/libpixmill.so.$version" lib/pkgconfig/pixmill.pc \
         lib/cmake/Pixmill/PixmillConfig.cmake share/doc/libpixmill/copyright; do
  grep -qx "$f" <<<"$listing" || fail "$tgz lacks $f"
done

echo "== Debian packages"
root=$work/root
for pkg in libpixmill libpixmill-dev pixmill; do
  deb=$(ls "$pkgs/${pkg}_${version}_"*.deb)
  [ "$(dpkg-deb -f "$deb" Package)" = "$pkg" ] || fail "$deb: wrong package name"
  cmp -s <(dpkg-deb --fsys-tarfile "$deb" | tar xO "./usr/share/doc/$pkg/copyright") "$src/LICENSE" ||
    fail "$deb: no licence"
  dpkg-deb -x "$deb" "$root"
done
[[ $(dpkg-deb -f "$pkgs"/libpixmill-dev_*.deb Depends) == *"libpixmill (= $version)"* ]] ||
  fail "libpixmill-dev does not depend on libpixmill $version"
[ -z "$(dpkg-deb -c "$pkgs"/libpixmill_*.deb | grep -e '\.h$' -e 'bin/')" ] || fail "libpixmill holds development files"
bash "$src/tests/package/check_install.sh" "$src" --prefix "$root/usr" "$work/consumers"
info=$("$root/usr/bin/pixmill" info) || fail "the packaged tool does not run"
[[ $info == "Pixmill version "* ]] || fail "the packaged tool says: ${info%%$'\n'*}"
echo "packages OK"
