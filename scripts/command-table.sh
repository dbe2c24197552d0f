#!/usr/bin/env bash
# Writes the table of the main window's commands into docs/architecture.md:
# every menu item and button by its design name, where it sits, its caption,
# the TForm1 slot it runs, and the tests that reach it (by its name, as a
# member of the window, or by calling the slot).
# Usage: bash scripts/command-table.sh [--check]
#   --check  change nothing; fail when the document's table is out of date.
# Needs only bash, grep, sed and a POSIX awk: a bare machine may have no python.
set -euo pipefail
cd "$(dirname "$0")/.."

doc=docs/architecture.md
begin='<!-- command-table:begin -->'
end='<!-- command-table:end -->'

# name <TAB> where <TAB> caption <TAB> slot, in the order the code makes them.
# Menus are built with MenuBuilder (app/RemainMenus.cpp): item() and check()
# make a named action, sub() a submenu; a MenuBuilder variable stands for its
# menu. A button is a `new QPushButton` given a name and connected to a slot.
# The sources are read a statement at a time (lines joined up to each `;`).
commands() {
  sed '/^[[:space:]]*\/\//d' app/Remain*.cpp | awk '
    function str(code, n,   q) { split(code, q, "\""); return q[2 * n] } # its n-th u"…"_s
    function plain(caption) { gsub(/&/, "", caption); return caption }
    BEGIN { RS = ";"; OFS = "\t" }
    {
      gsub(/\n[ \t]*/, " "); s = $0; var = ""; where = ""
      if (match(s, /MenuBuilder [A-Za-z0-9_]+\(this, [A-Za-z0-9_]+\)/)) {
        split(substr(s, RSTART + 12, RLENGTH - 13), p, /\(this, /); menu[p[1]] = p[2]; next
      }
      if (match(s, /MenuBuilder [A-Za-z0-9_]+ = /)) var = substr(s, RSTART + 12, RLENGTH - 15)
      if (match(s, /top\( *u"[^"]*"_s, *u"[^"]*"_s\)/)) {
        where = plain(str(substr(s, RSTART, RLENGTH), 2)); s = substr(s, RSTART + RLENGTH)
      } else if (match(s, /[A-Za-z0-9_]+\.(sub|item|check)\(/)) {
        where = menu[substr(s, RSTART, index(substr(s, RSTART), ".") - 1)]
      }
      while (match(s, /\.(sub|item|check)\( *u"[^"]*"_s, *u"[^"]*"_s(, *&TForm1::[A-Za-z0-9_]+)?/)) {
        call = substr(s, RSTART, RLENGTH); s = substr(s, RSTART + RLENGTH)
        if (call ~ /^\.sub/) { where = where " › " plain(str(call, 2)); continue }
        print str(call, 1), where, str(call, 2), (call ~ /::/ ? substr(call, index(call, "::") + 2) : "")
      }
      if (var != "") menu[var] = where

      if (match(s, /[A-Za-z0-9_]+ = new QPushButton\(u"[^"]*"_s/)) {
        s = substr(s, RSTART); b = substr(s, 1, index(s, " ") - 1); caption[b] = str(s, 1); buttons[++n] = b
      }
      if (match(s, /[A-Za-z0-9_]+->setObjectName\(u"[^"]*"_s/)) {
        s = substr(s, RSTART); name[substr(s, 1, index(s, "-") - 1)] = str(s, 1)
      }
      if (match(s, /connect\([A-Za-z0-9_]+, &QPushButton::clicked, this, &TForm1::[A-Za-z0-9_]+/)) {
        s = substr(s, RSTART + 8, RLENGTH - 8); split(s, p, ", "); sub(/.*::/, "", s); slot[p[1]] = s
      }
    }
    END { for (i = 1; i <= n; i++) if (buttons[i] in slot) print name[buttons[i]], "button", caption[buttons[i]], slot[buttons[i]] }'
}

# The other windows' globals (app/AppWindows.h): a test line addressing one of
# them is about that window, though a name or slot may match the main window's.
others=$(sed -n 's/^extern T[A-Za-z0-9_]* \*\([A-Za-z0-9_]*\);.*/\1/p' app/AppWindows.h |
  grep -vx Form1 | paste -sd '|' -)

# The test files that reach command $1 (slot $2): its name as a string, a
# window member of that name, or the slot, on a line not about another window.
tests_of() {
  local pattern="\"$1\"|->$1\b"
  [ -z "$2" ] || pattern+="|(->|TForm1::)$2\b"
  grep -rE --include='*.cpp' --include='*.h' -- "$pattern" tests | grep -vE "\b($others)->" |
    cut -d: -f1 | sed 's|^tests/||' | sort -u | paste -sd ' ' - | sed 's/ /, /g' || true
}

table() {
  local name where caption slot tests rows made
  rows=$(commands)
  # Every item()/check() call must have become a row: one written in a form
  # this reader does not know fails here instead of dropping out of the table.
  made=$(grep -o '\.\(item\|check\)(' app/Remain*.cpp | wc -l)
  if [ "$(grep -cv $'\tbutton\t' <<< "$rows")" != "$made" ]; then
    echo "app/Remain*.cpp: $made menu items, but only these could be read:" >&2
    cut -f1 <<< "$rows" >&2
    exit 1
  fi
  echo '| design name | where | caption | slot | tests |'
  echo '|---|---|---|---|---|'
  while IFS=$'\t' read -r name where caption slot; do
    tests=$(tests_of "$name" "$slot")
    printf '| `%s` | %s | %s | %s | %s |\n' "$name" "$where" "${caption//|/\\|}" \
      "${slot:+\`$slot\`}" "${tests:-—}"
  done <<< "$rows"
}

if [ "$(grep -cxF -e "$begin" -e "$end" "$doc")" != 2 ]; then
  echo "$doc: needs the lines $begin and $end around the table" >&2
  exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
table > "$work/table"
awk -v begin="$begin" -v end="$end" -v table="$work/table" '
  $0 == end { skip = 0 }
  !skip { print }
  $0 == begin { while ((getline line < table) > 0) print line; skip = 1 }' "$doc" > "$work/doc"

if [ "${1:-}" = --check ]; then
  cmp -s "$work/doc" "$doc" && exit 0
  echo "$doc: the command table is out of date; run: bash scripts/command-table.sh" >&2
  diff -u "$doc" "$work/doc" >&2 || true
  exit 1
fi
cp "$work/doc" "$doc"
