# bash completion for q7ctl: its words and their values; macro names as q7ctl lists them.
_q7ctl() {
    local cur prev words cword
    _init_completion || return
    local -a args=()
    local w
    for w in "${words[@]:1:cword-1}"; do
        [[ $w == --yes || $w == --verbose ]] || args+=("$w")
    done
    local effects="static twinkling breathing neon wave gliding finger-moving vertical-flipping yo-yo spotlight off"
    case "${#args[@]}" in
    0)
        COMPREPLY=($(compgen -W "profile dpi dpi-stages rate lighting colour key macro rule rules status quit slots call --yes --verbose --help" -- "$cur"))
        return
        ;;
    esac
    case "${args[0]}" in
    profile)
        case "${#args[@]}" in
        1) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 next prev import export" -- "$cur")) ;;
        2) [[ ${args[1]} == import || ${args[1]} == export ]] && COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10" -- "$cur")) ;;
        3) _filedir ;;
        esac
        ;;
    dpi) [[ ${#args[@]} == 1 ]] && COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 next prev" -- "$cur")) ;;
    rate) [[ ${#args[@]} == 1 ]] && COMPREPLY=($(compgen -W "125 250 500 1000" -- "$cur")) ;;
    lighting)
        if [[ ${#args[@]} == 1 ]]; then
            COMPREPLY=($(compgen -W "$effects" -- "$cur"))
        elif [[ $prev != --brightness && $prev != --speed ]]; then
            COMPREPLY=($(compgen -W "--brightness --speed" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7" -- "$cur"))
        fi
        ;;
    colour | color) [[ ${#args[@]} == 1 ]] && COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8" -- "$cur")) ;;
    key)
        if [[ ${#args[@]} == 1 ]]; then
            COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 11 12 15 16 left-button right-button middle-button forward-button backward-button dpi-button-1 lighting-button dpi-button-2 mode-button side-button-1 side-button-2 side-button-3 wheel-up wheel-down" -- "$cur"))
        elif [[ ${#args[@]} == 2 ]]; then
            COMPREPLY=($(compgen -W "none left right middle backward forward triple-click dpi+ dpi- dpi-switch scroll-up scroll-down play/pause next-track previous-track mute volume-up volume-down" -- "$cur"))
        fi
        ;;
    macro)
        case "${#args[@]}" in
        1) COMPREPLY=($(compgen -W "list show import export" -- "$cur")) ;;
        2) [[ ${args[1]} != list ]] && COMPREPLY=($(compgen -W "$(q7ctl macro list 2>/dev/null)" -- "$cur")) ;;
        3) _filedir ;;
        esac
        ;;
    rule)
        case "${#args[@]}" in
        1) COMPREPLY=($(compgen -W "list add remove default" -- "$cur")) ;;
        2) [[ ${args[1]} == default ]] && COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 none" -- "$cur")) ;;
        3) [[ ${args[1]} == add ]] && COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10" -- "$cur")) ;;
        esac
        ;;
    rules) [[ ${#args[@]} == 1 ]] && COMPREPLY=($(compgen -W "on off" -- "$cur")) ;;
    status) COMPREPLY=($(compgen -W "--json" -- "$cur")) ;;
    call) [[ ${#args[@]} == 1 ]] && COMPREPLY=($(compgen -W "$(q7ctl slots 2>/dev/null | sed -n 's/^\([A-Za-z0-9_]*\)(.*/\1/p')" -- "$cur")) ;;
    esac
} && complete -F _q7ctl q7ctl
