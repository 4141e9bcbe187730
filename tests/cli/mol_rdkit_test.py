"""MOL files of qzx-calc checked against RDKit, an independent reader and writer.

 (a) Every structure in the data folder is exported to MOL; RDKit must read each file (with
     its strict checks) and find the formula, atom count and bond count that qzx-calc reports
     for the structure.
 (b) RDKit writes MOL files (V2000) of molecules with and without explicit hydrogens, with
     charges, with aromatic bond types and of single atoms; qzx-calc must import each with
     the formula RDKit computes. (Noble gases are not in the program's element table, so
     their files are refused with a message naming the symbol; they are not tried here.)

usage: /usr/bin/python3 mol_rdkit_test.py QZX_CALC DATA_FOLDER   (exit 77: RDKit is missing)
"""
import json
import pathlib
import re
import subprocess
import sys
import tempfile

try:
    from rdkit import Chem, RDLogger
    from rdkit.Chem import rdDepictor, rdMolDescriptors
except ImportError:
    print("RDKit is not installed (Debian package python3-rdkit): skipped")
    sys.exit(77)

RDLogger.DisableLog("rdApp.*")
calc, data = sys.argv[1], pathlib.Path(sys.argv[2])
failures = []


def counts(formula):
    """A formula as {symbol: count}: "C6 H5 N1 O2 ", "C6H5NO2" and "H4N+" all read."""
    total = {}
    for symbol, number in re.findall(r"([A-Z][a-z]?)(\d*)", formula):
        total[symbol] = total.get(symbol, 0) + (int(number) if number else 1)
    return total


def info(path):
    run = subprocess.run([calc, "--json", "info", str(path)], capture_output=True, text=True)
    if run.returncode != 0:
        raise RuntimeError(run.stderr.strip())
    return json.loads(run.stdout)


def convert(source, target):
    run = subprocess.run([calc, "convert", str(source), str(target)], capture_output=True,
                         text=True)
    if run.returncode != 0:
        raise RuntimeError(run.stderr.strip())


def rdkit_formula(mol):
    return counts(rdMolDescriptors.CalcMolFormula(mol))


with tempfile.TemporaryDirectory() as folder:
    work = pathlib.Path(folder)

    # (a) Our exports, read by RDKit.
    sources = sorted(data.glob("*.msd")) + sorted(data.glob("*.mol"))
    if len(sources) < 3:
        failures.append(f"only {len(sources)} structures in {data}")
    for source in sources:
        name = source.stem
        try:
            structure = work / f"{name}.msd"
            if source.suffix == ".mol":
                convert(source, structure)
            else:
                structure.write_bytes(source.read_bytes())
            exported = work / f"{name}.mol"
            convert(structure, exported)
            ours = info(structure)
        except RuntimeError as error:
            failures.append(f"{name}: {error}")
            continue
        mol = Chem.MolFromMolFile(str(exported), sanitize=True, removeHs=False)
        if mol is None:
            failures.append(f"{name}: RDKit refuses our MOL file")
            continue
        if rdkit_formula(mol) != counts(ours["composition"]):
            failures.append(f"{name}: RDKit reads {rdMolDescriptors.CalcMolFormula(mol)}, "
                            f"the structure is {ours['composition']}")
        if (mol.GetNumAtoms(), mol.GetNumBonds()) != (ours["atoms"], ours["bonds"]):
            failures.append(f"{name}: RDKit reads {mol.GetNumAtoms()} atoms and "
                            f"{mol.GetNumBonds()} bonds, the structure has {ours['atoms']} "
                            f"and {ours['bonds']}")

    # (b) RDKit's files, imported by qzx-calc.
    molecules = [
        ("hexane", "CCCCCC", False, True), ("toluene", "Cc1ccccc1", False, True),
        ("toluene, explicit H", "Cc1ccccc1", True, True),
        ("pyridine, aromatic bonds", "c1ccncc1", False, False),
        ("naphthalene, aromatic bonds", "c1ccc2ccccc2c1", False, False),
        ("phenol, explicit H", "Oc1ccccc1", True, True),
        ("nitrobenzene, charges", "[O-][N+](=O)c1ccccc1", False, True),
        ("ammonium", "[NH4+]", False, True), ("acetate", "CC(=O)[O-]", False, True),
        ("tetramethylammonium", "C[N+](C)(C)C", False, True),
        ("ethanol, explicit H", "CCO", True, True), ("chloroform", "ClC(Cl)Cl", False, True),
        ("water", "O", False, True), ("methane", "C", False, True),
        ("methane, explicit H", "C", True, True), ("sodium ion", "[Na+]", False, True),
        ("potassium ion", "[K+]", False, True), ("bromide", "[Br-]", False, True),
    ]
    for index, (name, smiles, explicit, kekulize) in enumerate(molecules):
        mol = Chem.MolFromSmiles(smiles)
        if explicit:
            mol = Chem.AddHs(mol)
        rdDepictor.Compute2DCoords(mol)
        path = work / f"rdkit{index}.mol"
        path.write_text(Chem.MolToMolBlock(mol, kekulize=kekulize))
        try:
            ours = info(path)
        except RuntimeError as error:
            failures.append(f"{name}: qzx-calc refuses RDKit's file: {error}")
            continue
        if counts(ours["composition"]) != rdkit_formula(mol):
            failures.append(f"{name}: qzx-calc reads {ours['composition']!r}, RDKit "
                            f"{rdMolDescriptors.CalcMolFormula(mol)}")

for failure in failures:
    print("FAIL:", failure)
if failures:
    print(f"{len(failures)} failure(s)")
    sys.exit(1)
print(f"{len(sources)} structures and {len(molecules)} RDKit molecules agree with RDKit")
