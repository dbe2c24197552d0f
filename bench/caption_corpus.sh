#!/usr/bin/env bash
# Gathers real Japanese prose found on a Debian machine into plain UTF-8 texts
# for bench_captionbreaks, one paragraph a line:
#   tutor.txt     Vim's Japanese tutorial (vim-runtime)
#   manuals.txt   the Japanese manual pages (manpages-ja), unwrapped
# (The message catalogues of installed programs are left out: their format
# strings keep ChaSen busy for minutes.)
# Usage: bash bench/caption_corpus.sh OUT-DIR
set -euo pipefail
out=${1:?usage: caption_corpus.sh OUT-DIR}
mkdir -p "$out"

tutor=$(ls /usr/share/vim/vim*/tutor/tutor.ja.utf-8 2>/dev/null | head -1 || true)
[ -n "$tutor" ] && grep -v '^[[:space:]]*$' "$tutor" | sed 's/^[[:space:]]*//' > "$out/tutor.txt"


if command -v man >/dev/null && [ -d /usr/share/man/ja ]; then
  for page in /usr/share/man/ja/man*/*; do
    MANWIDTH=2000 man -E UTF-8 -l "$page" 2>/dev/null | col -b || true
  done | sed 's/^[[:space:]]*//' | grep -P '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' \
       | grep -v $'\t' | awk 'length($0) >= 20' > "$out/manuals.txt"
fi
wc -lc "$out"/*.txt
