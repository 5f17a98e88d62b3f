# bash completion of kesto: files, and its two options.
_kesto()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    [[ $cur == --* ]] && COMPREPLY=($(compgen -W '--help --version' -- "$cur"))
    return 0
}

complete -o default -F _kesto kesto
