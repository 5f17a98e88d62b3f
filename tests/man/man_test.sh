#!/usr/bin/env bash
# man_test.sh KESTO KESTO_CLI FOLDER: each built man page in FOLDER (German)
# and FOLDER/en names exactly the options its program's --help in its language
# names, and groff (and mandoc, where installed) find nothing to warn about.
set -u
status=0
# The options a text names: a word of one or two dashes and small letters,
# not the tail of a word such as "kesto-cli"; man's \- and font changes
# taken out first.
options() {
    sed 's/\\-/-/g; s/\\f[BIRP]//g' | grep -oE '(^|[^[:alnum:]-])--?[a-z][a-z-]*' |
        sed 's/^[^-]*//' | sort -u
}
for page in "$3"/*.1 "$3"/en/*.1; do
    program=$1 locale=C.UTF-8
    [ "$(basename "$page")" = kesto-cli.1 ] && program=$2
    [[ $page == */en/* ]] && locale=en_US.UTF-8
    report=$(diff <(LC_ALL=$locale "$program" --help | options) <(options <"$page")) ||
        { printf '%s: options differ from --help (< only in --help, > only here):\n%s\n' \
            "$page" "$report"; status=1; }
    report=$( (preconv "$page" | groff -ww -z -man -Tutf8) 2>&1)
    ! command -v mandoc >/dev/null || report+=$(mandoc -T lint -W warning "$page" 2>&1)
    [ -z "$report" ] || { printf '%s\n' "$report"; status=1; }
done
exit $status
