#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/ from
# the shipped data files: profile files cut to their first hours (so that each
# run is fast), the configuration, the time-zone table, the lookup table, map
# outlines cut short, the training files, and a few command lines and download
# lists. The saved-settings files are written by the program itself: given a
# build folder (an ordinary build, not the fuzz build), its
# fuzz/saved_state_seeds writes them; without one they are kept as they are.
# Usage: bash fuzz/make-corpus.sh [build folder]
set -euo pipefail
build="${1:+$(cd "$1" && pwd)}"
cd "$(dirname "$0")/.."
out=fuzz/corpus

# cut <file.ond> <datasets> <hours>: the first datasets of a profile file,
# each with its first hours (and their surface records).
cut() {
  awk -v keepDatasets="$2" -v keepHours="$3" '
    function flush() { if (dataset <= keepDatasets) printf "%s", buf; buf = "" }
    BEGIN { dataset = 1; state = "head"; hour = 0 }
    {
      line = $0
      if (state == "head") {
        if (line ~ /^TIME/) { state = "hours"; hour = 1 }
        else { sub(/HOURS = [0-9]+/, "HOURS = " keepHours, line) }
      } else if (state == "hours") {
        if (line ~ /^TIME/) hour++
        else if (line ~ /YYMMDD/) { state = "sfchead"; headLines = 0 }
      }
      if (state == "sfchead") {
        if (line ~ /^[-0-9 .]+$/ && line ~ /[0-9]/) { state = "records"; recLines = 0 }
        else { headLines++ }
      }
      if (state == "records") {
        if (line ~ /^[ \t]*$/) { state = "tail" }
        else { recLines++; if (recLines > keepHours * headLines) next }
      }
      if (state == "hours" && hour > keepHours) next
      buf = buf line "\n"
      if (state == "tail" && line ~ /^---/) {
        flush(); dataset++; state = "head"; hour = 0
      }
    }
    END { flush() }' "$1"
}

targets=(profile_reader profile_pipeline config_reader timezone_table command_line haulix_lists map_files
         training_files)
for t in "${targets[@]}"; do rm -rf "${out:?}/$t"; mkdir -p "$out/$t"; done

# Profile files: every layout, one to three hours, and the ensemble.
cut data/NAM_KOKC.ond 1 1 >"$out/profile_reader/nam_kokc_1h.ond"
cut data/NAM_KBOS.ond 1 3 >"$out/profile_reader/nam_kbos_3h.ond"
cut data/RUC_KDEN.ond 1 2 >"$out/profile_reader/ruc_kden_2h.ond"
cut data/GFS_KBOS.ond 1 1 >"$out/profile_reader/gfs_kbos_1h.ond"
cut data/GFS_KMSP.ond 1 3 >"$out/profile_reader/gfs_kmsp_3h.ond"
cut data/SREF_KOKC.ond 3 1 >"$out/profile_reader/sref_kokc_3x1h.ond"
sed 's/$/\r/' "$out/profile_reader/nam_kokc_1h.ond" >"$out/profile_reader/nam_kokc_1h_crlf.ond"

# The pipeline takes three bytes before the file: the model row of the
# shipped configuration (NAM 0, RUC 1, GFS 2, SREF 3), the chart's buttons
# and the hour.
seed() { { printf "$1"; cat "$2"; } >"$out/profile_pipeline/$3"; }
seed '\000\000\000' "$out/profile_reader/nam_kokc_1h.ond" nam_kokc_1h
seed '\000\377\002' "$out/profile_reader/nam_kbos_3h.ond" nam_kbos_3h
seed '\001\125\001' "$out/profile_reader/ruc_kden_2h.ond" ruc_kden_2h
seed '\002\252\000' "$out/profile_reader/gfs_kbos_1h.ond" gfs_kbos_1h
seed '\002\017\002' "$out/profile_reader/gfs_kmsp_3h.ond" gfs_kmsp_3h
seed '\003\363\000' "$out/profile_reader/sref_kokc_3x1h.ond" sref_kokc_3x1h

cp data/Ondrik.cfg "$out/config_reader/ondrik.cfg"
# Every open section filled, CR LF line ends.
sed -e 's/^====>  Define your own 4 Time Scales$/&\nNAM\n24, 48, 60, 84\nGFS\n24,40,56,60/' \
    -e 's/^ 0 $/ 1 /' -e 's/$/\r/' data/Ondrik.cfg >"$out/config_reader/sections_crlf.cfg"

cp data/TimeZone.DAT "$out/timezone_table/timezone.dat"
printf ' 35.39         97.6         -1 \n 42.36,71.01,0\n\n44.88\t93.22\t1\nnot a record\n' \
  >"$out/timezone_table/records.dat"

n=0
while IFS= read -r line; do
  n=$((n + 1))
  printf '%s' "$line" >"$out/command_line/cmd$n"
done <<'EOF'
NAM_KOKC.ond -SIZE=100 -PROFILE=A0A12A24 -CLOSE
/U=forecaster "/data/profiles/GFS_KBOS.ond" -ARCHIVE -OVERVIEW=ABDA -CLOSE
-GET=ABC -size=250 -profile=b3c84d100 sref_kokc.OND
KOKC.ond -PROFILE=A0 -OVERVIEW=C
EOF

printf 'LIST = East: coast\nNAM_KBOS.ond\nGFS_KBOS.onz\n\0LIST - Plains\nNAM_KOKC.ond\n\0\0LIST=x\r\n' \
  >"$out/haulix_lists/lists"
printf 'short\n' >"$out/haulix_lists/one"
# The map panel's files take one byte before the file: even for the lookup
# table, 2 * layer + 1 for an outline layer (State 3, Country 4).
{ printf '\000'; cat data/Ondrik.Dat; } >"$out/map_files/lookup"
{ printf '\000'; head -n 12 data/Ondrik.Dat; printf -- '-1\n 180, 40, 80, 41, 79, 42, 78, 43, 77\n'; } \
  >"$out/map_files/lookup_groups"
{ printf '\007'; head -n 120 data/Map_State.dat; } >"$out/map_files/state"
{ printf '\011'; head -n 60 data/Map_Country.dat | sed 's/$/\r/'; } >"$out/map_files/country_crlf"

cp data/Ondrik.ref "$out/training_files/ondrik.ref"
cp data/OndrikTraining.dat "$out/training_files/ondriktraining.dat"

if [ -n "$build" ]; then
  rm -rf "${out:?}/saved_state"
  mkdir -p "$out/saved_state"
  "$build/fuzz/saved_state_seeds" "$out/saved_state"
fi
du -sh "$out"/*
