#!/usr/bin/env bash
# corvane-cli.1 against the binary: the synopsis is the usage that --help prints
# (plus the --help line itself), and the flag codes are the ones in --help's legend,
# in the same order. A command or an option added to one and not the other fails here.
set -euo pipefail
cli=$1 page=$2

# Roff to the text a reader sees: font switches dropped, \- as -.
plain() { sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g'; }

help=$("$cli" --help)
usage=$(printf '%s\n' "$help" | sed -n '/^usage:$/,/^$/p' | sed -e '1d' -e '/^$/d' -e 's/^  //')
[ -n "$usage" ] || { echo "corvane-cli --help printed no usage lines" >&2; exit 1; }
expected=$(printf '%s\ncorvane-cli --help\n' "$usage")
synopsis=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH /p' "$page" | sed -n '/^\.nf/,/^\.fi/p' | sed -e '/^\.nf/d' -e '/^\.fi/d' | plain)
if [ "$synopsis" != "$expected" ]; then
  echo "SYNOPSIS of $page differs from corvane-cli --help (--- help, +++ page):" >&2
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$synopsis") >&2 || true
  exit 1
fi

help_flags=$(printf '%s\n' "$help" | sed -n '/^quality flags/,/^[^ ]/p' | sed -n 's/^  \([^ ]*\) .*/\1/p')
page_flags=$(sed -n '/^\.SH QUALITY FLAGS/,/^\.SH /p' "$page" | sed -n 's/^\.B //p' | plain)
[ -n "$help_flags" ] || { echo "corvane-cli --help printed no quality flags" >&2; exit 1; }
if [ "$page_flags" != "$help_flags" ]; then
  echo "QUALITY FLAGS of $page differ from corvane-cli --help (--- help, +++ page):" >&2
  diff <(printf '%s\n' "$help_flags") <(printf '%s\n' "$page_flags") >&2 || true
  exit 1
fi
