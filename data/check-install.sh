#!/bin/sh
# check-install.sh BUILD_DIR: installs the build into a temporary prefix and
# checks what a desktop needs from it: both programs, the modules for image
# sizes, audio tags and checksums, the icons, the man pages, the shell
# completions and the file-manager actions; a launcher entry that
# desktop-file-validate accepts without a single warning, a Dolphin service
# menu it accepts but for the keys it reserves to applications, and an
# AppStream entry that appstreamcli accepts with the launcher entry it names
# (where appstreamcli is installed). Exits 77 (skipped) without desktop-file-validate.
command -v desktop-file-validate >/dev/null 2>&1 || exit 77
prefix=$(mktemp -d) || exit 1
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null || exit 1
status=0
for f in bin/kesto bin/kesto-cli share/icons/hicolor/scalable/apps/kesto.svg \
    share/applications/kesto.desktop share/bash-completion/completions/kesto-cli \
    share/zsh/vendor-completions/_kesto-cli share/fish/vendor_completions.d/kesto-cli.fish \
    share/man/man1/kesto.1.gz share/man/man1/kesto-cli.1.gz share/man/en/man1/kesto.1.gz \
    share/man/en/man1/kesto-cli.1.gz share/nemo/actions/kesto.nemo_action \
    "share/kesto/nautilus/Mit Kesto umbenennen" share/kesto/thunar/uca.xml \
    share/icons/hicolor/16x16/apps/kesto.png share/icons/hicolor/256x256/apps/kesto.png; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; status=1; }
done
for module in imagesize audiotags checksum; do
    ls "$prefix"/lib*/kesto/libkesto_$module.so >/dev/null 2>&1 ||
        ls "$prefix"/lib/*/kesto/libkesto_$module.so >/dev/null 2>&1 ||
        { echo "not installed: the module kesto_$module"; status=1; }
done
entry=$prefix/share/applications/kesto.desktop
if [ -e "$entry" ]; then
    report=$(desktop-file-validate "$entry" 2>&1) || status=1
    [ -n "$report" ] && { printf '%s\n' "$report"; status=1; }
fi
menu=$prefix/share/kio/servicemenus/kesto-umbenennen.desktop
[ -x "$menu" ] || { echo "not executable: $menu"; status=1; }
report=$(desktop-file-validate "$menu" 2>&1 | grep -v 'type is "Service" while this key is only valid')
[ -n "$report" ] && { printf '%s\n' "$report"; status=1; }
if command -v appstreamcli >/dev/null 2>&1; then
    report=$(appstreamcli validate-tree --no-net "$prefix") || { printf '%s\n' "$report"; status=1; }
fi
exit $status
