# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# fish completion for quorvane(1)

# One line per subcommand: its name and description.
set -l subcommands preview rename parse presets edit history undo redo recover
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a preview -d 'show the new names without renaming'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a rename -d 'rename the listed items on disk'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a parse -d 'show the rules a phrase suggests'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a presets -d 'list the saved presets'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a edit -d 'edit the new names in a text editor, then rename'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a history -d 'list the recent rename batches, newest first'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a undo -d 'undo the newest rename batch, or the one named'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a redo -d 'redo the batch undone last, or the one named'
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -a recover -d 'list batches a crash interrupted, or finish or roll one back'

# Without a subcommand the program opens its window with the paths given; parse takes a
# phrase, undo and redo a batch id, and presets, history and recover nothing, so these leave
# out paths.
complete -c quorvane -n "__fish_seen_subcommand_from parse presets history undo redo recover" -f
complete -c quorvane -n "not __fish_seen_subcommand_from $subcommands" -l version -d 'print the version and exit'
complete -c quorvane -s h -l help -d 'print help and exit'

# One line per option: the subcommands that take it, and its values.
set -l with_rules "__fish_seen_subcommand_from preview rename edit"
complete -c quorvane -n $with_rules -l rules -r -F -d 'rule objects as JSON (- reads stdin)'
complete -c quorvane -n $with_rules -l preset -x -d 'the rules of the preset named NAME'
complete -c quorvane -n $with_rules -l phrase -x -d 'the rules suggested for a phrase'
complete -c quorvane -n $with_rules -l recursive -d 'walk folders (Include Subfolders)'
complete -c quorvane -n $with_rules -l filter -x -d "the file list's name filter"
complete -c quorvane -n $with_rules -l only-files -d 'list only files'
complete -c quorvane -n $with_rules -l only-folders -d 'list only folders'
complete -c quorvane -n $with_rules -l sort -x -a 'name date size type taken' -d "the file list's sort order"
complete -c quorvane -n $with_rules -l reverse -d 'turn the sort order round'
complete -c quorvane -n "__fish_seen_subcommand_from preview" -l format -x -a 'table json csv' -d 'output format'
complete -c quorvane -n "__fish_seen_subcommand_from rename parse presets history undo redo recover" -l format -x -a 'table json' -d 'output format'
complete -c quorvane -n "__fish_seen_subcommand_from rename" -l from-csv -r -F -d 'rename by the rows of a CSV file'
complete -c quorvane -n "__fish_seen_subcommand_from edit" -l yes -d 'rename without asking'
complete -c quorvane -n "__fish_seen_subcommand_from recover" -l finish -x -d 'complete the interrupted batch'
complete -c quorvane -n "__fish_seen_subcommand_from recover" -l roll-back -x -d 'put every item of it back'
