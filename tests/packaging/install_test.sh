#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets: every file in its
# place, manual pages that render without warnings, and an installed printer-test that starts
# under Xvfb, shows its window and ends with status 0 from its Exit button.
#   install_test.sh BUILD_DIR EXIT_TEST_SCRIPT
set -euo pipefail
build=$1
exit_test=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/printer-test bin/virtual-printer \
    share/applications/net.printertest.PrinterTest.desktop \
    share/metainfo/net.printertest.PrinterTest.metainfo.xml \
    share/icons/hicolor/scalable/apps/net.printertest.PrinterTest.svg \
    share/man/man1/printer-test.1.gz share/man/man1/virtual-printer.1.gz; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

for page in printer-test virtual-printer; do
    warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page(1) renders with warnings: $warnings"; exit 1; }
    MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" ||
        { echo "$page(1) does not render"; exit 1; }
done
MANWIDTH=80 man -l "$prefix/share/man/man1/printer-test.1.gz" | grep -q PRINTER_TEST_COM1 ||
    { echo "printer-test(1) does not document the port mapping"; exit 1; }

bash "$exit_test" "$prefix/bin/printer-test"
echo "installed and ran from $prefix"
