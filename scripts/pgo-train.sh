#!/usr/bin/env bash
# The training run of profile-guided optimisation: the engine, built with
# BRIMWELL_PGO=generate, converts typical work, and records where it spends its time in
# PROFILE_DIR (the BRIMWELL_PGO_DIR it was built with). The optimised build reads it.
#
#     scripts/pgo-train.sh BIN_DIR PROFILE_DIR
#
# The work: a phone export of generated contacts (vCard 2.1, 3.0 and 4.0 mixed) into one
# CSV, whole and filtered; a folder of single-contact files into one Gmail CSV and into a
# CSV each; the bundled samples in every encoding; the phone export and the samples
# through the faithful engine's three layouts.
set -euo pipefail
bin=$1
profile=$2

rm -rf "$profile"
mkdir -p "$profile"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/brimwell-bench-corpus" file "$work/phone.vcf" 20000
"$bin/brimwell-bench-corpus" folder "$work/cards" 300
mkdir "$work/each" "$work/samples"
cli=("$bin/brimwell-cli" --quiet)
"${cli[@]}" --one-csv "$work/all.csv" "$work/phone.vcf"
"${cli[@]}" --one-csv "$work/kept.csv" --keep emails,phones,names,addresses "$work/phone.vcf"
"${cli[@]}" --format gmail --one-csv "$work/gmail.csv" "$work/cards"
"${cli[@]}" --separator comma --no-quotes --out-dir "$work/each" "$work/cards"
"${cli[@]}" --out-dir "$work/samples" "$(dirname "$0")/../samples"
for layout in google outlook table; do
    "${cli[@]}" --format "$layout" --one-csv "$work/$layout.csv" "$work/phone.vcf"
    "${cli[@]}" --format "$layout" --encoding windows-1252 --one-csv "$work/$layout-1252.csv" \
        "$(dirname "$0")/../samples"
done
touch "$profile/trained"
