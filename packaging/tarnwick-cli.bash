# Bash completion for tarnwick-cli: its commands, their verbs and options;
# file names for everything else.
# shellcheck disable=SC2207  # compgen words hold no blanks: splitting its output is the idiom

_tarnwick_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="library check profile scheme text compress decompress highlight print"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --method)
            COMPREPLY=($(compgen -W "block lzhuf advise" -- "$cur"))
            return ;;
        --format)
            if [[ ${words[1]} == text ]]; then
                COMPREPLY=($(compgen -W "text unix cr html rtf" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "html rtf" -- "$cur"))
            fi
            return ;;
        --ide)
            COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur"))
            return ;;
        --in)
            COMPREPLY=($(compgen -W "titles text both" -- "$cur"))
            return ;;
        --tokens)
            COMPREPLY=($(compgen -W "comment string code" -- "$cur"))
            return ;;
    esac

    local verbs="" options=""
    case ${words[1]} in
        library)
            verbs="new list cat append save remove rename-category rename-title move
                   delete-category commit-import compact check search"
            [[ $cword -gt 2 && ${words[2]} == search ]] &&
                options="--regex --case --word --in --tokens --scheme --builtin" ;;
        profile)
            verbs="get set sections keys delete-key erase-section int" ;;
        scheme)
            verbs="compile dump style-string tokens"
            [[ $cword -gt 2 ]] && case ${words[2]} in
                compile) options="-o" ;;
                dump | style-string) options="--builtin --ide" ;;
                tokens) options="--builtin" ;;
            esac ;;
        text)
            verbs="search replace-all convert records"
            [[ $cword -gt 2 ]] && case ${words[2]} in
                search) options="--regex --case --word --backwards" ;;
                replace-all) options="--regex --case --word" ;;
                convert) options="--format -o" ;;
            esac ;;
        compress) options="--method" ;;
        highlight) options="--builtin --format -o" ;;
        print) options="--pdf --scheme --builtin" ;;
    esac

    if [[ $cword -eq 2 && -n $verbs ]]; then
        COMPREPLY=($(compgen -W "$verbs" -- "$cur"))
    elif [[ $cur == -* && -n $options ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir
    fi
} &&
    complete -F _tarnwick_cli tarnwick-cli
