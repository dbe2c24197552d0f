#!/usr/bin/env bash
# Gathers real Japanese prose found on a Debian machine into plain UTF-8 texts
# for bench_captionbreaks, one paragraph or message a line:
#   tutor.txt     Vim's Japanese tutorial (vim-runtime)
#   messages.txt  the Japanese translations of installed programs' messages
#   manuals.txt   the Japanese manual pages (manpages-ja), unwrapped
# Usage: bash bench/caption_corpus.sh OUT-DIR
set -euo pipefail
out=${1:?usage: caption_corpus.sh OUT-DIR}
mkdir -p "$out"

tutor=$(ls /usr/share/vim/vim*/tutor/tutor.ja.utf-8 2>/dev/null | head -1 || true)
[ -n "$tutor" ] && grep -v '^[[:space:]]*$' "$tutor" | sed 's/^[[:space:]]*//' > "$out/tutor.txt"

if command -v msgunfmt >/dev/null; then
  for mo in /usr/share/locale/ja/LC_MESSAGES/*.mo; do
    msgunfmt --no-wrap "$mo" 2>/dev/null || true
  done | sed -n 's/^msgstr "\(.*\)"$/\1/p' | sed 's/\\n/ /g; s/\\t/ /g; s/\\"/"/g' \
       | grep -P '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' | awk 'length($0) >= 20' > "$out/messages.txt"
fi

if command -v man >/dev/null && [ -d /usr/share/man/ja ]; then
  for page in /usr/share/man/ja/man*/*; do
    MANWIDTH=2000 man -E UTF-8 -l "$page" 2>/dev/null | col -b || true
  done | sed 's/^[[:space:]]*//' | grep -P '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' \
       | grep -v $'\t' | awk 'length($0) >= 20' > "$out/manuals.txt"
fi
wc -lc "$out"/*.txt
