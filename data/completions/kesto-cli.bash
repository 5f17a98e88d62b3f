# bash completion of kesto-cli: its options, the entries of --case, --lead
# and --sort, the saved masks for --preset and files for the rest.

# The names of the saved masks, one a line, as the masks file holds them:
# its section headers in file order, each once (headers match without regard
# to letter case and to blanks around the name).
_kesto_cli_masks()
{
    local file=${XDG_DATA_HOME:-$HOME/.local/share}/Quarvel/Kesto/Kesto-Masken.INI
    [ -r "$file" ] || return 0
    awk 'NR == 1 { sub(/^\357\273\277/, "") }
        { sub(/\r$/, ""); sub(/^[ \t]+/, ""); sub(/[ \t]+$/, "") }
        /^\[.+\]$/ {
            name = substr($0, 2, length($0) - 2)
            key = tolower(name)
            gsub(/^[ \t]+|[ \t]+$/, "", key)
            if (key != "" && !(key in seen)) { seen[key] = 1; print name }
        }' "$file"
}

_kesto_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local before=${COMP_WORDS[COMP_CWORD - 2]-} choices= choice word i IFS=$'\n'
    COMPREPLY=()
    # After "--" every word is a file.
    for ((i = 1; i < COMP_CWORD; i++)); do
        [ "${COMP_WORDS[i]}" = -- ] && prev=--
    done
    case $before in
    --replace | --replace-new | --replace-re | --replace-new-re) return 0 ;;
    esac
    case $prev in
    --mask | --start | --step | --random-extra | --replace | --replace-new | --replace-re | \
        --replace-new-re | --depth | --include | --exclude | --companions-main)
        return 0 ;;
    --digits) choices=$(seq 1 12) ;;
    --lead) choices=$'keine\nNull\nLeerzeichen\nUnterstrich' ;;
    --case)
        choices=$'beibehalten\nalles groß\nalles klein\nanfangs groß\nalternierend-1\nalternierend-2' ;;
    --sort) choices=$(seq 1 8; seq -f '%g:desc' 1 8) ;;
    --preset) choices=$(_kesto_cli_masks) ;;
    --) ;;
    *)
        # Sorted by their bytes, as the shell shows them anyway.
        [[ $cur == -* ]] && choices=$(printf '%s\n' -- --apply --case --companions \
            --companions-main --counter-per-folder --depth --digits --exclude --files-from \
            --folders --help --hidden --history --include --json --lead --mask --match-case \
            --names-from --no-undo --null --number-clashes --plan-in --plan-out --preset \
            --quiet --random-digits --random-extra --random-lower --random-upper --recursive \
            --replace --replace-new --replace-new-re --replace-re --sort --start --step --table \
            --transliterate --undo --version --yes -r)
        ;;
    esac
    if [ -z "$choices" ]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return 0
    fi
    # What was typed so far, without the backslashes and the quote that
    # protect blanks.
    word=${cur//\\/}
    word=${word#[\"\']}
    while IFS= read -r choice; do
        [[ $choice == "$word"* ]] && COMPREPLY+=("$(printf '%q' "$choice")")
    done <<<"$choices"
}

complete -F _kesto_cli kesto-cli
