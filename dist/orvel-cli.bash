# Bash completion for orvel-cli: its commands, each command's options (read
# from its own --help, so they never fall behind), ports and files.

_orvel_cli_ports()
{
    local cur=$1 devices=()
    local IFS=$'\n'
    devices=($(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*'; compgen -G '/dev/serial/by-id/*'))
    IFS=$' \t\n'
    COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 tcp:// ${devices[*]}" -- "$cur"))
    [[ ${COMPREPLY[0]} == tcp:// ]] && compopt -o nospace 2>/dev/null
    return 0
}

_orvel_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local cli=${COMP_WORDS[0]} command=${COMP_WORDS[1]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)) || [[ $command == help && COMP_CWORD -eq 2 ]]; then
        COMPREPLY=($(compgen -W "$(LANGUAGE=en "$cli" help 2>/dev/null | sed -n 's/^  \([a-z][a-z]*\).*/\1/p')" -- "$cur"))
        return 0
    fi
    case $prev in
        --port) _orvel_cli_ports "$cur"; return 0 ;;
        --out | --csv | --link)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return 0
            ;;
        --interval) COMPREPLY=($(compgen -W "full 1 2 5 10 30 60" -- "$cur")); return 0 ;;
        --rotate) COMPREPLY=($(compgen -W "daily never 1h 15m" -- "$cur")); return 0 ;;
        --fault) COMPREPLY=($(compgen -W "noise drop stall burst hangup" -- "$cur")); return 0 ;;
        --scenario)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -W "battery tour" -- "$cur") $(compgen -f -- "$cur"))
            return 0
            ;;
        --count | --duration | --pre | --period | --pages | --size | --listen | --start-when | --stop-when | \
            --mark-when | --on-mark)
            return 0 # a value of the user's own
            ;;
    esac
    if [[ $cur == -* ]]; then
        local options
        options=$(LANGUAGE=en "$cli" "$command" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u)
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return 0
    fi
    case $command in
        monitor | record)
            # The port may come first, without --port.
            local word given=
            for word in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
                [[ $word == --port ]] && given=1
            done
            ((COMP_CWORD == 2)) && [[ -z $given ]] && _orvel_cli_ports "$cur"
            ;;
        decode | convert | stats | plot)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            ;;
    esac
    return 0
}
complete -F _orvel_cli orvel-cli
