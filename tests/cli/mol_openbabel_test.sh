#!/usr/bin/env bash
# MOL files of qzx-calc checked against Open Babel, an independent reader and writer:
#  (a) every structure file in the data folder is converted to MOL; Open Babel must read the
#      formula our composition gives, and converting back must give the same tables;
#  (b) Open Babel draws MOL files from SMILES; our reading must give its formula, and Open
#      Babel must read our own export of them with the same formula.
# Older files may hold the "NO2" pseudo-atom, which Open Babel reads as a dummy atom, so for
# each one the N1 O2 are added to the formula it reports. Open Babel starts slowly, so each
# step runs it once over all files.
# usage: mol_openbabel_test.sh QZX_CALC DATA_FOLDER
set -u
calc=$1
data=$2
if ! command -v obabel >/dev/null 2>&1; then
    echo "obabel is not installed (Debian package openbabel): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A formula as one sorted line of "symbol count"; "C6 H5 N1 O2" and "C6H5NO2" give the same.
counts() {
    grep -oE '[A-Z][a-z]?[0-9]*' | awk '{
        match($0, /^[A-Z][a-z]?/); symbol = substr($0, 1, RLENGTH); n = substr($0, RLENGTH + 1);
        total[symbol] += (n == "" ? 1 : n) } END { for (s in total) print s, total[s] }' |
        sort | tr '\n' ' '
}

# Our composition of a .msd or .mol file, from the JSON of "info".
ours() {
    "$calc" --json info "$1" | sed -E 's/.*"composition": "([^"]*)".*/\1/' | counts
}

# Open Babel's formulas of MOL files, one line per file in the order given, with N1 O2 for
# every NO2 pseudo-atom; nothing when Open Babel did not read every file.
theirs() {
    local formulas nitro i=0
    mapfile -t formulas < <(obabel "$@" --title x -otxt --append formula 2>/dev/null |
        awk '{print $NF}')
    if [ "${#formulas[@]}" -ne "$#" ]; then
        echo "Open Babel read ${#formulas[@]} of $# MOL files" >&2
        return
    fi
    for file in "$@"; do
        nitro=$(tr '\r' '\n' <"$file" | grep -c ' NO2 *$')
        { echo "${formulas[i]}"; for ((k = 0; k < nitro; k++)); do echo "N1O2"; done; } | counts
        echo
        i=$((i + 1))
    done
}

# (a) The program's own structure files.
names=()
mols=()
for msd in "$data"/*.msd; do
    name=$(basename "$msd" .msd)
    mol=$work/$name.mol
    if ! "$calc" convert "$msd" "$mol" >/dev/null; then
        fail "$name: qzx-calc convert to MOL"
        continue
    fi
    names+=("$name")
    mols+=("$mol")
    "$calc" convert "$mol" "$work/$name.back.msd" >/dev/null || fail "$name: convert back"
    [ "$("$calc" --json info "$msd")" = "$("$calc" --json info "$work/$name.back.msd")" ] ||
        fail "$name: info differs after MOL and back"
    "$calc" convert "$work/$name.back.msd" "$work/$name.again.mol" >/dev/null
    cmp -s "$mol" "$work/$name.again.mol" || fail "$name: the MOL file changes on a second round"
done
[ "${#mols[@]}" -ge 3 ] || fail "only ${#mols[@]} structure files in $data"
mapfile -t babel < <(theirs "${mols[@]}")
[ "${#babel[@]}" -eq "${#mols[@]}" ] || fail "Open Babel did not read all our MOL files"
for i in "${!mols[@]}"; do
    expected=$(ours "$data/${names[i]}.msd")
    [ -n "$expected" ] && [ "$expected" = "${babel[i]:-}" ] ||
        fail "${names[i]}: Open Babel reads '${babel[i]:-}' from our MOL file;" \
            "the structure is '$expected'"
done

# Open Babel counts the atoms and bonds of our MOL files as the structure has them.
mapfile -t sizes < <(obabel "${mols[@]}" --title x -otxt --append "atoms bonds" 2>/dev/null |
    awk '{print $(NF - 1), $NF}')
for i in "${!mols[@]}"; do
    expected=$("$calc" --json info "$data/${names[i]}.msd" |
        sed -E 's/.*"atoms": ([0-9]+), "bonds": ([0-9]+).*/\1 \2/')
    [ "${sizes[i]:-}" = "$expected" ] ||
        fail "${names[i]}: Open Babel counts '${sizes[i]:-}' atoms and bonds, the structure" \
            "'$expected'"
done

# (b) Molecules drawn by Open Babel from SMILES.
smiles=("CCCCCC" "CC(C)CC(C)C" "C1CCCCC1" "C1CCCC1" "c1ccccc1" "Cc1ccccc1" "c1ccncc1"
        "[O-][N+](=O)c1ccccc1" "O=N(=O)c1ccccc1" "Clc1ccccc1" "CCBr" "CCO" "CC(=O)C" "C#CC=C"
        "OC(=O)c1ccccc1" "NCCS" "FC(F)(F)I" "c1ccc2ccccc2c1")
printf '%s\n' "${smiles[@]}" >"$work/all.smi"
obabel "$work/all.smi" -omol --gen2D -m -O "$work/drawn.mol" >/dev/null 2>&1
drawn=()
exported=()
for i in "${!smiles[@]}"; do
    drawn+=("$work/drawn$((i + 1)).mol")
    exported+=("$work/ours$((i + 1)).mol")
done
mapfile -t expected < <(theirs "${drawn[@]}")
[ "${#expected[@]}" -eq "${#drawn[@]}" ] || fail "Open Babel did not draw every SMILES"
neutral=()
for i in "${!smiles[@]}"; do
    smi=${smiles[i]}
    got=$(ours "${drawn[i]}")
    [ -n "$got" ] && [ "$got" = "${expected[i]:-}" ] ||
        fail "$smi: qzx-calc reads '$got', Open Babel '${expected[i]:-}'"
    "$calc" convert "${drawn[i]}" "$work/smiles.msd" >/dev/null &&
        "$calc" convert "$work/smiles.msd" "${exported[i]}" >/dev/null ||
        fail "$smi: convert through a structure file"
    # Structures hold no charges, so only neutral molecules can come back from our export.
    [[ $smi == *[+-]* ]] || neutral+=("$i")
done
ourFiles=()
for i in "${neutral[@]}"; do ourFiles+=("${exported[i]}"); done
mapfile -t back < <(theirs "${ourFiles[@]}")
[ "${#back[@]}" -eq "${#ourFiles[@]}" ] || fail "Open Babel did not read all our exports"
for k in "${!neutral[@]}"; do
    i=${neutral[k]}
    [ "${back[k]:-}" = "${expected[i]:-}" ] ||
        fail "${smiles[i]}: Open Babel reads '${back[k]:-}' from our export," \
            "'${expected[i]:-}' before"
done

# Bad input: a clear message and a non-zero exit.
echo "not a molecule" >"$work/bad.mol"
if "$calc" info "$work/bad.mol" 2>"$work/err"; then fail "info accepted a broken MOL file"; fi
grep -q "bad.mol" "$work/err" || fail "the message does not name the file: $(cat "$work/err")"
if "$calc" convert "$work/bad.mol" "$work/out.txt" 2>/dev/null; then fail "convert wrote a .txt"; fi
if "$calc" convert "$data/toluene.msd" "$work/x.mol" --bond-length 0 2>/dev/null; then
    fail "convert accepted --bond-length 0"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "${#mols[@]} structure files and ${#smiles[@]} molecules agree with Open Babel"
