#!/usr/bin/env bash
# Makes the .torrent fixtures of this folder with independent creators (mktorrent 1.1,
# transmission-create 3.00) and records each info hash as `transmission-show FILE` reports it
# in HASHES.txt. The content is generated in a scratch folder from fixed bytes, so the info
# hashes come out the same on every run (the creation dates do not: they lie outside "info").
# The tests only read the results; they never run this script.
#   bash tests/torrent/data/make_fixtures.sh
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/btmagnet-fixtures.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

fill() { (set +o pipefail; yes "$2" | head -c "$3" >"$1"); }   # fill FILE TEXT BYTES

# One file, one tracker, a comment.
mkdir single && fill single/notes.txt "single file fixture" 100000
mktorrent -l 16 -a http://tracker.example.org:6969/announce -c "one file" \
  -o "$out/single_file.torrent" single/notes.txt

# Nested folders and an empty file. mktorrent keeps the empty file; transmission-create
# leaves it out, and puts each of its two trackers in a tier of its own.
mkdir -p multi/docs/deep/er multi/empty-dir-sibling
fill multi/readme.txt "readme" 3000
fill multi/docs/guide.txt "guide" 70000
fill multi/docs/deep/er/bottom.bin "bottom" 5
: >multi/docs/empty.txt
fill multi/empty-dir-sibling/z.txt "z" 1
mktorrent -l 15 -a http://tracker.example.org/announce -c "nested folders" \
  -o "$out/multi_nested.torrent" multi
transmission-create -s 32 -t http://a.example.org/announce -t udp://b.example.org:1337/announce \
  -c "nested folders" -o "$out/multi_transmission.torrent" multi

# UTF-8 Chinese names in the folder, the files and the comment.
mkdir -p 中文资料/第一章
fill 中文资料/第一章/说明.txt "说明" 4000
fill 中文资料/封面.jpg "cover" 2000
mktorrent -l 15 -a http://tracker.example.org/announce -c "中文注释" \
  -o "$out/chinese_names.torrent" 中文资料

# Several tiers: two trackers in the first, one each in the next two.
mkdir tiers && fill tiers/data.bin "tiers" 50000
mktorrent -l 16 -a http://a.example.org:80/announce,HTTP://B.Example.org:8080/announce \
  -a udp://c.example.org:1337/announce -a http://d.example.org/tracker.php?x=1 \
  -o "$out/tracker_tiers.torrent" tiers/data.bin

# Web seeds (url-list), no date.
mkdir seeds && fill seeds/seeded.bin "seeded" 40000
mktorrent -d -l 16 -a http://tracker.example.org/announce \
  -w http://seed1.example.org/files/seeded.bin,http://seed2.example.org/seeded.bin \
  -o "$out/web_seeds.torrent" seeds/seeded.bin

# A sparse 3 GiB file alone (mktorrent), and beside a small one (transmission-create).
mkdir big && truncate -s 3G big/zeros.img
mktorrent -l 24 -a http://tracker.example.org/announce -o "$out/sparse_3g.torrent" big/zeros.img
fill big/small.txt "small" 7
transmission-create -s 16384 -t http://tracker.example.org/announce -o "$out/sparse_3g_multi.torrent" big

# A hand-written document whose info keys are written out
# of order by hand: its info hash is that of the canonical (sorted) encoding.
printf 'd8:announce7:http://4:infod6:pieces20:%s4:name5:a.txt12:piece lengthi16384e6:lengthi5eee' \
  'AAAAAAAAAAAAAAAAAAAA' >"$out/unsorted_keys.torrent"
printf 'd8:announce7:http://4:infod6:lengthi5e4:name5:a.txt12:piece lengthi16384e6:pieces20:%see' \
  'AAAAAAAAAAAAAAAAAAAA' >"$work/sorted_keys.torrent"

cd "$out"
{
  echo "# Info hashes as transmission-show reports them (bash make_fixtures.sh writes this file)."
  for f in *.torrent; do
    echo "$f $(transmission-show "$f" | sed -n 's/^  Hash: //p')"
  done
  echo "# unsorted_keys.torrent holds its info keys out of order; the hash above is that of"
  echo "# the sorted form, by: printf '<bytes of its info dictionary, keys sorted>' | sha1sum"
  echo "sorted_keys_sha1 $(printf 'd6:lengthi5e4:name5:a.txt12:piece lengthi16384e6:pieces20:AAAAAAAAAAAAAAAAAAAAe' | sha1sum | cut -d' ' -f1)"
} >HASHES.txt
