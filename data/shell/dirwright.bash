# bash completion for dirwright

_dirwright_scripts()
{
    local folder="${XDG_DATA_HOME:-$HOME/.local/share}/Pellacorn/Dirwright/Script"
    [ -d "$folder" ] || return
    local f
    for f in "$folder"/*.vls; do
        [ -e "$f" ] && basename "$f" .vls
    done
}

_dirwright()
{
    local cur prev words cword
    _init_completion -n = || return

    local batch=0 i
    for ((i = 1; i < cword; i++)); do
        [[ ${words[i]} == --batch ]] && batch=1
    done

    if ((batch)); then
        case $prev in
            --script)
                COMPREPLY=($(compgen -W "$(_dirwright_scripts)" -- "$cur"))
                _filedir vls
                return
                ;;
            --list)
                _filedir
                return
                ;;
            --sort)
                COMPREPLY=($(compgen -W "none name path created modified size" -- "$cur"))
                return
                ;;
            --structure|--structure-name)
                return
                ;;
            --touch)
                COMPREPLY=($(compgen -W "files-earliest files-latest subfolders-earliest subfolders-latest" -- "$cur"))
                return
                ;;
        esac
        case $cur in
            --sort=*)
                COMPREPLY=($(compgen -W "none name path created modified size" -- "${cur#--sort=}"))
                return
                ;;
            -*)
                COMPREPLY=($(compgen -W "--script --structure --structure-name --csv --csv-match --csv-new --csv-structure --csv-by --keep-extension --touch --dry-run --list-order --subfolders --list --sort --help --" -- "$cur"))
                return
                ;;
        esac
        _filedir -d
        return
    fi

    case $cur in
        /openfromfile=*)
            cur=${cur#/openfromfile=}
            _filedir
            return
            ;;
        /runscript=*)
            cur=${cur#/runscript=}
            COMPREPLY=($(compgen -W "$(_dirwright_scripts)" -- "$cur"))
            _filedir vls
            return
            ;;
        -*)
            if ((cword == 1)); then
                COMPREPLY=($(compgen -W "--batch --help --version" -- "$cur"))
            fi
            return
            ;;
        /*)
            if [[ /openfromfile= == "$cur"* || /runscript= == "$cur"* ]]; then
                COMPREPLY=($(compgen -W "/openfromfile= /runscript=" -- "$cur"))
                compopt -o nospace
            fi
            ;;
    esac
    _filedir -d
}
complete -F _dirwright dirwright
