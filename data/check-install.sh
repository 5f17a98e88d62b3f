#!/bin/sh
# check-install.sh BUILD_DIR: installs the build into a temporary prefix and
# checks what a desktop needs from it: both programs, the image-size module,
# the icon, the shell completions, and a launcher entry that desktop-file-validate accepts without a
# single warning. Exits 77 (skipped) without desktop-file-validate.
command -v desktop-file-validate >/dev/null 2>&1 || exit 77
prefix=$(mktemp -d) || exit 1
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null || exit 1
status=0
for f in bin/kesto bin/kesto-cli share/icons/hicolor/scalable/apps/kesto.svg \
    share/applications/kesto.desktop share/bash-completion/completions/kesto-cli \
    share/zsh/vendor-completions/_kesto-cli share/fish/vendor_completions.d/kesto-cli.fish; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; status=1; }
done
ls "$prefix"/lib*/kesto/libkesto_imagesize.so >/dev/null 2>&1 ||
    ls "$prefix"/lib/*/kesto/libkesto_imagesize.so >/dev/null 2>&1 ||
    { echo "not installed: the image-size module"; status=1; }
entry=$prefix/share/applications/kesto.desktop
if [ -e "$entry" ]; then
    report=$(desktop-file-validate "$entry" 2>&1) || status=1
    [ -n "$report" ] && { printf '%s\n' "$report"; status=1; }
fi
exit $status
