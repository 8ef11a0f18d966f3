#!/usr/bin/env bash
# Packs the Windows program for players, the portable zip and the installer:
#   package.sh WINDOWS_BUILD SOUND_GENERATOR SOURCE VERSION DIST
# The zip holds one folder, Velloxa/, with velloxa.exe, velloxa-cli.exe, the
# generated sounds/, the catalogues in locale/, README.txt (Windows line ends, for
# Notepad); the installer, velloxa-VERSION-setup.exe, installs the same.
set -euo pipefail
build=$(cd "$1" && pwd)
generator=$2
source=$(cd "$3" && pwd)
version=$4
dist=$5
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Velloxa" "$dist"
dist=$(cd "$dist" && pwd)
x86_64-w64-mingw32-strip -o "$stage/Velloxa/velloxa.exe" "$build/velloxa.exe"
x86_64-w64-mingw32-strip -o "$stage/Velloxa/velloxa-cli.exe" "$build/velloxa-cli.exe"
"$generator" "$stage/Velloxa/sounds"
cp -r "$build/locale" "$stage/Velloxa/locale"
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' "$source/packaging/windows/README.txt" >"$stage/Velloxa/README.txt"
# The same inputs give the same zip: fixed times, sorted names, no extra fields.
find "$stage/Velloxa" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
zip=$dist/velloxa-$version-windows.zip
rm -f "$zip"
(cd "$stage" && find Velloxa | LC_ALL=C sort | zip -q -X -@ "$zip")
echo "$zip"
numeric=$(sed -n 's/^\([0-9]*\)\.\([0-9]*\).*/\1.\2.0.0/p' <<<"$version")
setup=$dist/velloxa-$version-setup.exe
makensis -V2 -DVERSION="$version" -DRC_VERSION="$numeric" -DSTAGE="$stage/Velloxa" \
    -DICON="$build/packaging/velloxa.ico" -DOUTFILE="$setup" "$source/packaging/windows/installer.nsi"
echo "$setup"
