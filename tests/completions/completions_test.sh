#!/usr/bin/env bash
# completions_test.sh KESTO_CLI FOLDER: the bash completion of kesto-cli in
# FOLDER offers every option its --help names, the entries of its lists and
# the saved masks of a masks file; fish offers the masks too, and zsh reads
# its files, where they are installed.
set -u
cli=$1 folder=$2 status=0
export LC_ALL=C.UTF-8 XDG_DATA_HOME
XDG_DATA_HOME=$(mktemp -d) || exit 1
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
mkdir -p "$XDG_DATA_HOME/Quarvel/Kesto"
# A byte-order mark, blanks around a header, one header again in other
# letters, an empty one.
printf '\357\273\277[Urlaub 2024]\r\nMaske=[name]\r\n  [Grüße & Co] \r\n[urlaub 2024]\r\n[]\r\n' \
    >"$XDG_DATA_HOME/Quarvel/Kesto/Kesto-Masken.INI"

fail() { echo "$*"; status=1; }

# offers CHOICES WORD…: completing the last WORD of "kesto-cli WORD…" offers
# the CHOICES, each followed by "|".
source "$folder/kesto-cli.bash"
offers() {
    local wanted=$1
    shift
    COMP_WORDS=(kesto-cli "$@") COMP_CWORD=$#
    _kesto_cli
    local got= choice
    for choice in ${COMPREPLY[@]+"${COMPREPLY[@]}"}; do got+="$choice|"; done
    [ "$got" = "$wanted" ] || fail "kesto-cli $*: offers '$got', not '$wanted'"
}
offers '--preset|' --pr
offers 'Urlaub\ 2024|Grüße\ \&\ Co|' --preset ''
offers 'Grüße\ \&\ Co|' --mask x --preset 'Grüße\ '
offers 'alles\ groß|alles\ klein|anfangs\ groß|alternierend-1|alternierend-2|' --case a
offers 'Null|' --lead N
offers '8|8:desc|' --sort 8
offers '' --replace-new a ''
offers '' -- --pr
offers "$folder/_kesto-cli|" --apply "$folder/_kesto-c"
COMP_WORDS=(kesto-cli --) COMP_CWORD=1
_kesto_cli
[ "$(printf '%s\n' "${COMPREPLY[@]}" | sort)" = "$("$cli" --help | grep -o -- '--[a-z-]*' | sort -u)" ] ||
    fail "the options offered are not those of kesto-cli --help"

if command -v fish >/dev/null; then
    masks=$(fish -c "source '$folder/kesto-cli.fish'; complete -C 'kesto-cli --preset '" | cut -f1)
    [ "$masks" = $'Grüße & Co\nUrlaub 2024' ] || fail "fish offers the masks '$masks'"
fi
if command -v zsh >/dev/null; then
    zsh -n "$folder/_kesto-cli" "$folder/_kesto" || fail "zsh cannot read its completions"
fi
exit $status
