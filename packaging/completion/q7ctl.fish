# fish completion for q7ctl
set -l words profile dpi dpi-stages rate lighting colour key macro rule rules status quit slots call
complete -c q7ctl -f
complete -c q7ctl -n "not __fish_seen_subcommand_from $words" -a "$words"
complete -c q7ctl -l yes -d "answer confirmations with OK"
complete -c q7ctl -l verbose -d "show the link's debug lines"
complete -c q7ctl -l help -d "print the help"
complete -c q7ctl -n "__fish_seen_subcommand_from profile" -a "1 2 3 4 5 6 7 8 9 10 next prev import export"
complete -c q7ctl -n "__fish_seen_subcommand_from dpi" -a "1 2 3 4 5 6 7 8 next prev"
complete -c q7ctl -n "__fish_seen_subcommand_from rate" -a "125 250 500 1000"
complete -c q7ctl -n "__fish_seen_subcommand_from lighting" -a "static twinkling breathing neon wave gliding finger-moving vertical-flipping yo-yo spotlight off"
complete -c q7ctl -n "__fish_seen_subcommand_from lighting" -l brightness -x -a "0 1 2 3 4 5 6 7"
complete -c q7ctl -n "__fish_seen_subcommand_from lighting" -l speed -x -a "0 1 2 3 4 5 6 7"
complete -c q7ctl -n "__fish_seen_subcommand_from colour" -a "1 2 3 4 5 6 7 8"
complete -c q7ctl -n "__fish_seen_subcommand_from key" -a "1 2 3 4 5 6 7 8 9 10 11 12 15 16 left-button right-button middle-button forward-button backward-button dpi-button-1 lighting-button dpi-button-2 mode-button side-button-1 side-button-2 side-button-3 wheel-up wheel-down"
complete -c q7ctl -n "__fish_seen_subcommand_from macro" -a "list show import export"
complete -c q7ctl -n "__fish_seen_subcommand_from rule" -a "list add remove default"
complete -c q7ctl -n "__fish_seen_subcommand_from rules" -a "on off"
complete -c q7ctl -n "__fish_seen_subcommand_from status" -l json
complete -c q7ctl -n "__fish_seen_subcommand_from call" -a "(q7ctl slots 2>/dev/null | string match -r '^\w+' )"
