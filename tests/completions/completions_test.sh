#!/usr/bin/env bash
# completions_test.sh KESTO_CLI FOLDER: what the completions in FOLDER offer.
set -u
cli=$1 folder=$2 status=0
export LC_ALL=C.UTF-8 XDG_DATA_HOME
XDG_DATA_HOME=$(mktemp -d) || exit 1
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
mkdir -p "$XDG_DATA_HOME/Quarvel/Kesto"
# A byte-order mark, blanks around a header, a header again in other letters, an empty one.
printf '\357\273\277[Urlaub 2024]\r\nMaske=[name]\r\n  [Grüße & Co] \r\n[urlaub 2024]\r\n[]\r\n' \
    >"$XDG_DATA_HOME/Quarvel/Kesto/Kesto-Masken.INI"

# offers CHOICES WORD…: what completing the last of "kesto-cli WORD…" offers, each with a "|".
source "$folder/kesto-cli.bash"
offers() {
    local wanted=$1 got= choice
    shift
    COMP_WORDS=(kesto-cli "$@") COMP_CWORD=$#
    _kesto_cli
    for choice in ${COMPREPLY[@]+"${COMPREPLY[@]}"}; do got+="$choice|"; done
    [ "$got" = "$wanted" ] || { echo "kesto-cli $*: offers '$got', not '$wanted'"; status=1; }
}
offers '--preset|' --pr
offers 'Urlaub\ 2024|Grüße\ \&\ Co|' --preset ''
offers 'Grüße\ \&\ Co|' --mask x --preset 'Grüße\ '
offers 'alles\ groß|alles\ klein|anfangs\ groß|alternierend-1|alternierend-2|' --case a
offers '8|8:desc|' --sort 8
offers '' --replace-new a ''
offers '' -- --pr
offers "$folder/_kesto-cli|" --apply "$folder/_kesto-c"
offers "$("$cli" --help | grep -o -- '--[a-z-]*' | sort -u | tr '\n' '|')" --
! command -v fish >/dev/null || [ "$(fish -c "source '$folder/kesto-cli.fish'
    complete -C 'kesto-cli --preset '" | cut -f1)" = $'Grüße & Co\nUrlaub 2024' ] || status=1
! command -v zsh >/dev/null || zsh -n "$folder/_kesto-cli" || status=1
exit $status
