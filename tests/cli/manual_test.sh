#!/bin/sh
# The manual page renders without a warning, and it names exactly the options
# that --help names.
# Usage: manual_test.sh LUMIVANE_CLI MANUAL_PAGE
set -eu
cli=$1
page=$2

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

# An option is a word starting with a dash at the head of a help line, or
# after a comma there; in the page, the words of the lines after .TP in OPTIONS.
helpOptions=$("$cli" --help | grep -oE '^  -[^ ]*(, -[^ ]*)?' |
  sed 's/, /\n/' | tr -d ' ' | sort -u)
pageOptions=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | grep -A1 '^\.TP' |
  grep -v -e '^\.TP' -e '^--$' | sed -E 's/\\-/-/g; s/^\.[A-Z]+ //; s/"[^"]*"//g' |
  tr ' ' '\n' | grep -E '^-' | sort -u)
if [ "$helpOptions" != "$pageOptions" ]; then
  echo "--help and $page name different options:"
  printf '%s\n' "$helpOptions" >"${TMPDIR:-/tmp}/help-options.$$"
  printf '%s\n' "$pageOptions" | diff "${TMPDIR:-/tmp}/help-options.$$" - || true
  rm -f "${TMPDIR:-/tmp}/help-options.$$"
  exit 1
fi
echo "$(printf '%s\n' "$helpOptions" | wc -l) options named alike"
