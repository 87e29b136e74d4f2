# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# bash completion for quorvane(1)

# One line per subcommand: what its arguments are (@file paths, @text free text, @none), then
# its options.
declare -gA _quorvane_commands=(
    [preview]="@file --rules --preset --phrase --recursive --filter --only-files --only-folders --sort --reverse --format --help"
    [rename]="@file --rules --preset --phrase --recursive --filter --only-files --only-folders --sort --reverse --format --from-csv --help"
    [parse]="@text --format --help"
    [presets]="@none --format --help"
    [edit]="@file --rules --preset --phrase --recursive --filter --only-files --only-folders --sort --reverse --yes --help"
    [history]="@none --format --help"
    [undo]="@text --format --help"
    [redo]="@text --format --help"
    [recover]="@none --finish --roll-back --format --help"
)
# One line per option that takes a value: the values to offer, or @file or @text as above.
# "SUBCOMMAND:OPTION" holds over "OPTION".
declare -gA _quorvane_values=(
    [--rules]=@file
    [--preset]=@text
    [--phrase]=@text
    [--filter]=@text
    [--sort]="name date size type taken"
    [--format]="table json"
    [preview:--format]="table json csv"
    [--from-csv]=@file
    [--finish]=@text
    [--roll-back]=@text
)

_quorvane_offer() {
    case $1 in
        @file) _filedir ;;
        @text | @none) ;;
        *) mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur") ;;
    esac
}

_quorvane() {
    local cur prev words cword split
    _init_completion -s || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        if [[ -n ${_quorvane_commands[${words[i]}]+set} ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        # Without a subcommand the program opens its window with the paths given.
        if ((cword == 1)); then
            mapfile -t COMPREPLY < <(compgen -W "${!_quorvane_commands[*]} --help --version" -- "$cur")
        fi
        [[ $cur == -* ]] || _filedir
        return
    fi

    local row=(${_quorvane_commands[$command]})
    local values=${_quorvane_values[$command:$prev]-${_quorvane_values[$prev]-}}
    if [[ -n $values && " ${row[*]:1} " == *" $prev "* ]]; then
        _quorvane_offer "$values"
        return
    fi
    $split && return
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${row[*]:1}" -- "$cur")
        return
    fi
    _quorvane_offer "${row[0]}"
}
complete -F _quorvane quorvane
