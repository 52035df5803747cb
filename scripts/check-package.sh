#!/usr/bin/env bash
# Checks that a package holds what its users install: `check-package.sh zip|deb FILE`.
set -euo pipefail
kind=$1
file=$2

need() {
    local listing=$1 entry=$2
    if ! grep -qE "$entry" <<<"$listing"; then
        echo "check-package: $file lacks $entry" >&2
        exit 1
    fi
}

case $kind in
zip)
    listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$file")
    need "$listing" '/x86/Quillex\.dll$'
    need "$listing" '/x64/Quillex\.dll$'
    need "$listing" '/INSTALL\.txt$'
    # Each DLL is of its own machine.
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
    python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$file" "$dir"
    file "$dir"/*/x86/Quillex.dll | grep -q 'PE32 executable.*80386' || { echo "check-package: x86 DLL is not x86" >&2; exit 1; }
    file "$dir"/*/x64/Quillex.dll | grep -q 'PE32+ executable.*x86-64' || { echo "check-package: x64 DLL is not x64" >&2; exit 1; }
    ;;
deb)
    listing=$(dpkg-deb -c "$file")
    need "$listing" '\./usr/lib/quillex/cadhost$'
    need "$listing" '\./usr/lib/quillex/libquillex\.so$'
    need "$listing" '\./usr/bin/cadhost -> \.\./lib/quillex/cadhost$'
    # The installed cadhost runs its demo on the macro library beside it.
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
    dpkg-deb -x "$file" "$dir"
    QT_QPA_PLATFORM=offscreen "$dir/usr/bin/cadhost" --demo 2>/dev/null | grep -q '^== scenario passed' ||
        { echo "check-package: the installed cadhost does not run its demo" >&2; exit 1; }
    ;;
*)
    echo "usage: check-package.sh zip|deb FILE" >&2
    exit 2
    ;;
esac
echo "check-package: $file is complete"
