# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
# Bash completion for quillet-cli: the commands, each command's options, the values of
# --format and --shard, and files of the kind each argument takes.

_quillet_cli_files()
{
    # Files ending in one of the extensions given, and folders to walk into.
    local cur=$1 ext
    shift
    compopt -o filenames 2>/dev/null
    COMPREPLY+=($(compgen -d -- "$cur"))
    for ext in "$@"; do
        COMPREPLY+=($(compgen -f -X "!*.$ext" -- "$cur"))
        COMPREPLY+=($(compgen -f -X "!*.${ext^^}" -- "$cur"))
    done
}

_quillet_cli_workbooks()
{
    _quillet_cli_files "$1" xlsx xlsm ods fods xls csv xlsb numbers dbf
}

_quillet_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="info cells render background export join-pdf print import set-background"
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands --help" -- "$cur"))
        return 0
    fi

    local command=${COMP_WORDS[1]} values flags
    case $command in
        info) values="" flags="" ;;
        cells) values="--sheet --range" flags="" ;;
        render) values="--page --out --workbook --sheet" flags="--no-background" ;;
        background) values="--out" flags="" ;;
        export)
            values="--out --pages --jobs --format --workbook --sheet --shard --shards --name"
            flags="--no-background --reverse --quiet"
            ;;
        join-pdf) values="" flags="" ;;
        print)
            values="--printer --pages --copies --output --dpi --workbook --sheet"
            flags="--reverse --as-image --no-background"
            ;;
        import) values="--page --dpi --out" flags="--count" ;;
        set-background) values="--page" flags="" ;;
        *) return 0 ;;
    esac

    # The value of an option.
    if [[ " $values " == *" $prev "* ]]; then
        case $prev in
            --format) COMPREPLY=($(compgen -W "jpg png pdf" -- "$cur")) ;;
            --shard) COMPREPLY=($(compgen -W "auto" -- "$cur")) ;;
            --workbook) _quillet_cli_workbooks "$cur" ;;
            --output) _quillet_cli_files "$cur" pdf ;;
            --out)
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
                ;;
            --printer)
                if command -v lpstat >/dev/null 2>&1; then
                    COMPREPLY=($(compgen -W "$(lpstat -e 2>/dev/null)" -- "$cur"))
                fi
                ;;
        esac
        return 0
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$values $flags" -- "$cur"))
        return 0
    fi

    # Which positional argument this is: the words before it that are neither options
    # nor their values.
    local i word position=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ " $values " == *" $word "* ]]; then
            ((i++))
        elif [[ $word != -* ]]; then
            ((position++))
        fi
    done
    case $command in
        cells) [ "$position" -eq 0 ] && _quillet_cli_workbooks "$cur" ;;
        join-pdf) _quillet_cli_files "$cur" pdf ;;
        import)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            ;;
        set-background)
            if [ "$position" -eq 0 ]; then
                _quillet_cli_files "$cur" qlet
            else
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
            fi
            ;;
        *) [ "$position" -eq 0 ] && _quillet_cli_files "$cur" qlet ;;
    esac
    return 0
}

complete -F _quillet_cli quillet-cli
