#!/usr/bin/env bash
# Inspects the Debian package: its files, its computed dependencies, and that apt can install it.
#   check-package.sh PACKAGE.deb
set -euo pipefail
deb=$1
echo "-- dpkg-deb -I $deb"
dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "$lib" <<<"$depends" || { echo "Depends lacks $lib: $depends"; exit 1; }
done
echo "-- dpkg-deb -c $deb"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
for file in ./usr/bin/printer-test ./usr/bin/virtual-printer \
    ./usr/share/applications/net.printertest.PrinterTest.desktop \
    ./usr/share/metainfo/net.printertest.PrinterTest.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/net.printertest.PrinterTest.svg \
    ./usr/share/man/man1/printer-test.1.gz ./usr/share/man/man1/virtual-printer.1.gz; do
    grep -q " $file\$" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done
echo "-- apt-get install --simulate"
apt-get install --simulate "$(realpath "$deb")" | tail -n 2
echo "package ok"
