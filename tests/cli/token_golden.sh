#!/usr/bin/env bash
# Golden token dumps: each sample source of tests/data/scheme/samples,
# highlighted by its shipped scheme (and the Pascal one also by the built-in
# scheme), must give the token runs of its reference in
# tests/data/scheme/tokens (the sample's name with ".tokens").
# TARNWICK_REGENERATE=1 rewrites the references; review the diff before keeping it.
set -u
cli=$1
scripts=$(dirname "$cli")/Scripts
samples=$(cd "$(dirname "$0")/../data/scheme/samples" && pwd)
references=$(cd "$(dirname "$0")/../data/scheme/tokens" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

scheme_for() {
    case "$1" in
    *.c | *.cpp) echo CPP ;;
    *.java) echo Java ;;
    *.js) echo JavaScript ;;
    *.py) echo Python ;;
    *.sql) echo SQL ;;
    *.html) echo HTML ;;
    *.sh) echo Shell ;;
    *.ini) echo INI ;;
    *.pas) echo ObjectPascal ;;
    *.json) echo JSON ;;
    *.xml) echo XML ;;
    *.vb) echo VisualBasic ;;
    *.css) echo CSS ;;
    *.yaml | *.yml) echo YAML ;;
    *.mk) echo Makefile ;;
    *.md) echo Markdown ;;
    *.bat | *.cmd) echo Batch ;;
    *.cs) echo CSharp ;;
    *.go) echo Go ;;
    *.rs) echo Rust ;;
    *.ts) echo TypeScript ;;
    *.php) echo PHP ;;
    *.rb) echo Ruby ;;
    *.pl) echo Perl ;;
    *.lua) echo Lua ;;
    *.txt) echo SchemeScript ;;
    *) return 1 ;;
    esac
}

count=0
for sample in "$samples"/*; do
    scheme=$(scheme_for "$sample") || fail "no scheme for $sample"
    reference=$references/$(basename "$sample").tokens
    out=$("$cli" scheme tokens "$scripts/$scheme.dat" "$sample") || fail "tokens of $sample"
    if [ "${TARNWICK_REGENERATE:-}" = 1 ]; then
        printf '%s\n' "$out" > "$reference"
    else
        [ "$out" = "$(cat "$reference")" ] || fail "$(basename "$sample") differs from its reference"
    fi
    if [ "$scheme" = ObjectPascal ]; then
        [ "$("$cli" scheme tokens --builtin "$sample")" = "$out" ] ||
            fail "the built-in scheme and ObjectPascal.dat differ on $(basename "$sample")"
    fi
    count=$((count + 1))
done
[ "$count" -ge 10 ] || fail "only $count samples"
echo ok
