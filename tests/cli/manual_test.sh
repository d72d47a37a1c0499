#!/bin/sh
# The manual page renders without a warning, and the parser, --help, the
# manual page and the README's option table name exactly the same options.
# Usage: manual_test.sh LUMIVANE_CLI MANUAL_PAGE README PARSER_SOURCE...
set -eu
cli=$1
page=$2
readme=$3
shift 3

if command -v groff >/dev/null 2>&1; then
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "groff warns on $page:"; echo "$warnings"; exit 1
  fi
fi
if command -v man >/dev/null 2>&1; then
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "man warns on $page:"; echo "$warnings"; exit 1
  fi
fi

# The end of the options, "--", is no option of the parser.
options() { grep -vx -e '--' -e '' | sort -u; }
# The names given to add_flag and add_option, a call possibly wrapped.
parserOptions=$(cat "$@" | tr '\n' ' ' | grep -oE 'add_(flag|option)[^(]*\( *"-[^"]*"' |
  sed -E 's/.*"(.*)"/\1/' | tr ',' '\n' | options)
# An option is a word starting with a dash at the head of a help line, or
# after a comma there; in the page, the words of the lines after .TP in OPTIONS.
helpOptions=$("$cli" --help | grep -oE '^  -[^ ]*(, -[^ ]*)?' |
  sed 's/, /\n/' | tr -d ' ' | options)
pageOptions=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | grep -A1 '^\.TP' |
  grep -v -e '^\.TP' -e '^--$' | sed -E 's/\\-/-/g; s/^\.[A-Z]+ //; s/"[^"]*"//g' |
  tr ' ' '\n' | grep -E '^-' | options)
readmeOptions=$(grep -E '^\| `-' "$readme" | sed 's/\\|//g' | cut -d'|' -f2 | grep -oE '`-[^` ]*' | tr -d '`' |
  options)

status=0
for other in helpOptions pageOptions readmeOptions; do
  eval "named=\$$other"
  if [ "$parserOptions" != "$named" ]; then
    echo "the parser and $other name different options:"
    printf '%s\n' "$parserOptions" >"${TMPDIR:-/tmp}/parser-options.$$"
    printf '%s\n' "$named" | diff "${TMPDIR:-/tmp}/parser-options.$$" - || true
    rm -f "${TMPDIR:-/tmp}/parser-options.$$"
    status=1
  fi
done
[ "$status" = 0 ] && echo "$(printf '%s\n' "$parserOptions" | wc -l) options named alike"
exit "$status"
