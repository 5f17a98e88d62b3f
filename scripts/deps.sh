# Sourced by run.sh and test.sh: installs the Debian packages the build needs
# when they are missing.

kesto_missing_packages() {
    local pkg missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
    done
    echo "${missing[@]}"
}

# kesto_ensure_packages PKG... : installs what is missing, as root or through sudo.
kesto_ensure_packages() {
    local missing
    missing=$(kesto_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installiere fehlende Pakete: $missing"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Bitte als root installieren: apt-get install $missing" >&2
            return 1
        fi
    fi
    "${sudo[@]}" apt-get update -qq || return 1
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

KESTO_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev qt6-image-formats-plugins
    qt6-qpa-plugins qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libicu-dev libgtest-dev
    libgmock-dev libtag1-dev libssl-dev libpcre2-dev pkg-config librsvg2-bin)
# The tests also validate the installed launcher entry, AppStream entry and
# man pages and rename on a real exFAT drive through FUSE, on FAT through
# fusefat and on sshfs served by a private sshd; ffmpeg writes the tagged
# audio files the tag reader is tested on and the films the film reader is,
# heif-enc and avifenc the HEIF and AVIF images, ImageMagick and cwebp the
# other photos, exiftool their Exif and reads what the readers are compared
# with; python3 runs tools/translations.py check.
KESTO_TEST_PACKAGES=(python3 desktop-file-utils appstream mandoc exfatprogs exfat-fuse dosfstools fusefat
    openssh-server sshfs ffmpeg libheif-examples libavif-bin libimage-exiftool-perl imagemagick
    webp)
# tools/check-package.sh: cpack's Debian package (dpkg-shlibdeps, file), its
# check, and what it checks in the installed package.
KESTO_PACKAGE_PACKAGES=(dpkg-dev file lintian man-db bash-completion)
# tools/check-accessibility.sh: a virtual screen with its own session bus and
# a client of the desktop's accessibility bus.
KESTO_ACCESSIBILITY_PACKAGES=(xvfb dbus at-spi2-core python3-pyatspi)
