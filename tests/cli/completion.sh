#!/usr/bin/env bash
# The bash completion and the manual page of tarnwick-cli cover every command
# and verb that the program's own usage lists, so neither falls behind when a
# command is added.
set -u
cli=$1
packaging=$(cd "$(dirname "$0")/../../packaging" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

# The two helpers the completion takes from the bash-completion package,
# reduced to what a test needs.
# shellcheck disable=SC2034  # the completion function reads these
_init_completion() {
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]:-}
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
}
_filedir() { COMPREPLY=(FILE); }
# shellcheck source=/dev/null
source "$packaging/tarnwick-cli.bash" || fail "completion script does not load"

complete_line() {  # prints the completions of the words given, the last one being completed
    COMP_WORDS=(tarnwick-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _tarnwick_cli
    printf '%s\n' "${COMPREPLY[@]}"
}

usage=$("$cli" --help) || fail "--help"
# "tarnwick-cli library list INDEX ..." gives "library list"; "tarnwick-cli check INDEX" gives "check".
entries=$(sed -nE 's/^  tarnwick-cli ([a-z][a-z-]*)( ([a-z][a-z-]*))?( .*|$)/\1 \3/p' <<<"$usage" | sed 's/ *$//' | sort -u)
[ "$(wc -l <<<"$entries")" -ge 30 ] || fail "too few commands read from the usage: $entries"

while read -r command verb; do
    complete_line "${command:0:2}" | grep -qx "$command" || fail "no completion of command '$command'"
    if [ -n "$verb" ]; then
        complete_line "$command" "" | grep -qx "$verb" || fail "no completion of '$command $verb'"
        grep -qE "^\.B $command $verb( |\\\\|$)" "$packaging/man/tarnwick-cli.1" ||
            fail "manual page lacks '$command $verb'"
    else
        grep -qE "^\.B $command( |\\\\|$)" "$packaging/man/tarnwick-cli.1" ||
            fail "manual page lacks '$command'"
    fi
done <<<"$entries"

# Option values, and file names where a file is expected.
[ "$(complete_line compress --method "" | tr '\n' ' ')" = "block lzhuf advise " ] || fail "--method values"
[ "$(complete_line text convert --format "" | tr '\n' ' ')" = "text unix cr html rtf " ] || fail "text --format values"
[ "$(complete_line highlight --builtin --format "" | tr '\n' ' ')" = "html rtf " ] || fail "highlight --format values"
complete_line text search --r | grep -qx -- "--regex" || fail "text search options"
[ "$(complete_line library list "")" = "FILE" ] || fail "file name after a verb"
complete_line "" | grep -qx -- "--version" || fail "--version"
echo ok
