#!/usr/bin/env python3
"""Static checks of the Windows Installer package of one build.

    check_package.py tables MSI SCR ICO x64|x86
        The package's tables, read with msiinfo: where the file goes, what it
        is, how a newer package replaces an older one, the launch conditions,
        the name, maker and version against the file's version resource, and
        the file's own version, by which it replaces an older copy.

    check_package.py reproducible SCR -- MAKE_MSI_ARGS...
        make_msi.py twice with the same SOURCE_DATE_EPOCH, the second time
        from a copy of SLUMBMIX.SCR written at another time: the same bytes.
        Then another version: another product code and package code.

    check_package.py winget DIST BASE SCHEMAS
        The winget manifests of a release (DIST/winget) against winget's JSON
        schemas in SCHEMAS, and against the packages of DIST: hashes, product
        and upgrade codes, what Apps and Features lists, the version. Where
        SCHEMAS is absent the rest is checked and the exit code is 77 (skipped)
        unless something failed. Needs python3-yaml and python3-jsonschema.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "resources"))
import pe_resources as pe  # noqa: E402
from check_frame import expect, fail, report  # noqa: E402

# Fixed for good: Windows Installer finds the older package of a build by
# these, so a changed one would install beside it instead of replacing it.
UPGRADE_CODES = {"x64": "{CACA9FBA-2929-47F5-B289-CCE96FEB8B6A}",
                 "x86": "{2CE33DDA-B97B-49E4-8174-3B0895ECA28B}"}
FOLDERS = {"x64": "System64Folder", "x86": "WindowsFolder"}
TEMPLATES = {"x64": "x64;1033", "x86": "Intel;1033"}
COMPONENT_64BIT = 256

def msiinfo(*args):
    # Dates are printed in local time: UTC, to compare them.
    return subprocess.run(["msiinfo", *args], check=True, capture_output=True, text=True,
                          env=dict(os.environ, TZ="UTC")).stdout


def table(msi, name):
    """The rows of a table as dicts, from msiinfo's export (header, types, key line)."""
    lines = msiinfo("export", msi, name).splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t") + [""] * len(columns))) for line in lines[3:]]


def version_info(scr):
    """The fixed part and the first string block of the file's version resource."""
    fixed, blocks, _ = pe.version(next(iter(pe.Module(scr).find(pe.RT_VERSION, 1).values())))
    return fixed, next(iter(blocks.values()))


def dotted(version, parts):
    """The first parts of a (high, low) version pair as "a.b.c.d"."""
    high, low = version
    return ".".join(str(n) for n in (high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF)[:parts])


def check_tables(msi, scr, ico, arch):
    fixed, strings = version_info(scr)
    version = dotted(fixed["product_version"], 3)
    summary = msiinfo("suminfo", msi)
    expect("summary template", re.search(r"^Template: (.*)$", summary, re.M).group(1), TEMPLATES[arch])

    props = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    expect("ProductName", props.get("ProductName"), strings.get("FileDescription"))
    expect("Manufacturer", props.get("Manufacturer"), strings.get("CompanyName"))
    expect("ProductVersion", props.get("ProductVersion"), version)
    expect("UpgradeCode", props.get("UpgradeCode"), UPGRADE_CODES[arch])
    expect("ALLUSERS (per-machine)", props.get("ALLUSERS"), "1")

    # The icon of Apps and Features is the program's own.
    icons = {row["Name"] for row in table(msi, "Icon")}
    expect("ARPPRODUCTICON names an icon of the package", props.get("ARPPRODUCTICON") in icons, True)
    with tempfile.TemporaryDirectory() as tmp:
        stored = os.path.join(tmp, "icon")
        with open(stored, "wb") as out:
            subprocess.run(["msiinfo", "extract", msi, f"Icon.{props.get('ARPPRODUCTICON')}"],
                           check=True, stdout=out)
        with open(stored, "rb") as a, open(ico, "rb") as b:
            expect("the icon is res/'s", a.read() == b.read(), True)

        # One file, the build's own, in the build's folder.
        directories = {row["Directory"]: row for row in table(msi, "Directory")}
        folder = FOLDERS[arch]
        expect(f"{folder} is a folder of the package", folder in directories, True)
        expect(f"{folder} is the system's, not one made below it",
               (directories.get(folder, {}).get("Directory_Parent"),
                directories.get(folder, {}).get("DefaultDir")), ("TARGETDIR", "."))
        components = table(msi, "Component")
        expect("components", len(components), 1)
        files = table(msi, "File")
        expect("files", [row["FileName"] for row in files], ["SLUMBMIX.SCR"])
        if len(components) == 1 and len(files) == 1:
            component, file_row = components[0], files[0]
            expect("folder of the file", component["Directory_"], folder)
            expect("64-bit component", int(component["Attributes"]) & COMPONENT_64BIT != 0, arch == "x64")
            expect("key path", component["KeyPath"], file_row["File"])
            expect("file size", int(file_row["FileSize"]), os.path.getsize(scr))
        subprocess.run(["msiextract", "-C", tmp, msi], check=True, capture_output=True)
        found = [os.path.join(d, f) for d, _, names in os.walk(tmp) for f in names if f == "SLUMBMIX.SCR"]
        with open(scr, "rb") as built:
            expected = built.read()
        expect("the packed file is this build's", [open(f, "rb").read() == expected for f in found], [True])

    # Nothing but the file: no registry values, no other files removed.
    expect("registry rows", table(msi, "Registry"), [])
    expect("removed files", table(msi, "RemoveFile"), [])

    # Major upgrade: older versions of this build are found and removed
    # before this one is installed; a newer one stops it.
    upgrades = table(msi, "Upgrade")
    expect("older versions are found", [
        (r["VersionMin"], r["VersionMax"], r["ActionProperty"]) for r in upgrades
        if r["UpgradeCode"] == UPGRADE_CODES[arch] and r["VersionMax"] == version
        and not int(r["Attributes"]) & 0x200], [("", version, "WIX_UPGRADE_DETECTED")])
    sequence = {row["Action"]: int(row["Sequence"]) for row in table(msi, "InstallExecuteSequence")}
    expect("older product removed before anything is installed",
           sequence.get("InstallValidate", 0) < sequence.get("RemoveExistingProducts", 0)
           < sequence.get("InstallInitialize", 0), True)

    conditions = {row["Condition"]: row["Description"] for row in table(msi, "LaunchCondition")}
    expect("a newer version stops the install", "NOT WIX_DOWNGRADE_DETECTED" in conditions, True)
    if arch == "x86":
        message = conditions.get("NOT VersionNT64", "")
        expect("64-bit Windows declined, naming the x64 package",
               f"Slumbermix-{version}-x64.msi" in message, True)
    else:
        expect("no condition on the Windows version", [c for c in conditions if "VersionNT" in c], [])
    check_versioned_file(msi, scr)


def check_versioned_file(msi, scr):
    """Windows Installer replaces a file already in the folder only by one
    with a higher version, and treats a file with an empty Version (and a
    hash) as unversioned, which never replaces a versioned one: the File row
    must carry the file's own version and no hash."""
    expect("version of SLUMBMIX.SCR in the File table",
           [row["Version"] for row in table(msi, "File") if row["FileName"] == "SLUMBMIX.SCR"],
           [dotted(version_info(scr)[0]["file_version"], 4)])
    expect("hash rows (for unversioned files only)", table(msi, "MsiFileHash"), [])


def build(make_msi_args, scr, output, version=None, epoch="1700000000"):
    args = list(make_msi_args)
    if version:
        args[args.index("--version") + 1] = version
    subprocess.run([sys.executable, *args, "--scr", scr, "--output", output], check=True,
                   capture_output=True, env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))
    with open(output, "rb") as f:
        return f.read()


def codes(msi):
    props = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    package = re.search(r"^Revision number \(UUID\): (.*)$", msiinfo("suminfo", msi), re.M).group(1)
    return props["ProductCode"], package


def check_reproducible(scr, make_msi_args):
    with tempfile.TemporaryDirectory() as tmp:
        first = build(make_msi_args, scr, os.path.join(tmp, "first.msi"))
        later_scr = os.path.join(tmp, "SLUMBMIX.SCR")
        shutil.copyfile(scr, later_scr)
        os.utime(later_scr, (1800000000, 1800000000))
        second = build(make_msi_args, later_scr, os.path.join(tmp, "second.msi"))
        expect("two builds give the same bytes", first == second, True)
        expect("the summary dates are SOURCE_DATE_EPOCH",
               re.search(r"^Created: (.*)$", msiinfo("suminfo", os.path.join(tmp, "first.msi")),
                         re.M).group(1), "Tue Nov 14 22:13:20 2023")

        other = os.path.join(tmp, "other.msi")
        build(make_msi_args, scr, other, version="9.8.7")
        first_codes, other_codes = codes(os.path.join(tmp, "first.msi")), codes(other)
        expect("another version is another product", first_codes[0] != other_codes[0], True)
        expect("another package has another package code", first_codes[1] != other_codes[1], True)


def key_order(value, node, schema, where=""):
    """The mappings whose keys stray from the order of the schema's
    properties, which is that of winget's documentation."""
    while "$ref" in node:
        node = schema["definitions"][node["$ref"].rsplit("/", 1)[-1]]
    if isinstance(value, list):
        return [s for i, v in enumerate(value) for s in key_order(v, node.get("items", {}), schema, f"{where}/{i}")]
    if not isinstance(value, dict):
        return []
    known = node.get("properties", {})
    strays = [] if list(value) == [k for k in known if k in value] else [f"{where or '/'}: {list(value)}"]
    return strays + [s for k, v in value.items() for s in key_order(v, known.get(k, {}), schema, f"{where}/{k}")]


def check_winget(dist, base, schemas):
    import hashlib
    import json
    import yaml
    folder = os.path.join(dist, "winget")
    manifests = {}
    for kind, name in (("version", ""), ("installer", ".installer"), ("defaultLocale", ".locale.en-US")):
        with open(os.path.join(folder, f"Brimlo.Slumbermix{name}.yaml"), encoding="utf-8") as f:
            manifests[kind] = yaml.safe_load(f)
    if os.path.isdir(schemas):
        import jsonschema
        for kind, manifest in manifests.items():
            with open(os.path.join(schemas, f"manifest.{kind}.1.10.0.json"), encoding="utf-8") as f:
                schema = json.load(f)
            validator = jsonschema.Draft7Validator(schema)
            expect(f"{kind} manifest against winget's schema",
                   [f"{'/'.join(map(str, e.path))}: {e.message}" for e in validator.iter_errors(manifest)], [])
            expect(f"{kind} manifest's keys in winget's order", key_order(manifest, schema, schema), [])
    else:
        print(f"SKIPPED winget's schemas: no folder {schemas}")

    installer = manifests["installer"]
    packages = {}
    for entry in installer.get("Installers", []):
        msi = os.path.join(dist, entry["InstallerUrl"].rsplit("/", 1)[-1])
        expect("installer address", entry["InstallerUrl"], base.rstrip("/") + "/" + os.path.basename(msi))
        props = {row["Property"]: row["Value"] for row in table(msi, "Property")}
        template = re.search(r"^Template: (.*)$", msiinfo("suminfo", msi), re.M).group(1)
        packages[entry["Architecture"]] = template
        with open(msi, "rb") as f:
            expect(f"{entry['Architecture']} hash", entry["InstallerSha256"].lower(),
                   hashlib.sha256(f.read()).hexdigest())
        expect(f"{entry['Architecture']} product code", entry.get("ProductCode"), props["ProductCode"])
        expect(f"{entry['Architecture']} Apps and Features", entry.get("AppsAndFeaturesEntries"), [{
            "DisplayName": props["ProductName"], "Publisher": props["Manufacturer"],
            "DisplayVersion": props["ProductVersion"], "ProductCode": props["ProductCode"],
            "UpgradeCode": props["UpgradeCode"]}])
        for kind, manifest in manifests.items():
            expect(f"{kind} manifest's version", manifest.get("PackageVersion"), props["ProductVersion"])
        expect("publisher", manifests["defaultLocale"].get("Publisher"), props["Manufacturer"])
    expect("one installer per package", packages, {arch: TEMPLATES[arch] for arch in ("x64", "x86")})
    expect("identifiers", {m.get("PackageIdentifier") for m in manifests.values()}, {"Brimlo.Slumbermix"})
    expect("installer type and scope", (installer.get("InstallerType"), installer.get("Scope")),
           ("msi", "machine"))
    # Windows Vista, the oldest supportedOS of res/slumbmix.manifest.
    expect("lowest Windows", installer.get("MinimumOSVersion"), "6.0.6000.0")


def main():
    if len(sys.argv) == 6 and sys.argv[1] == "tables":
        check_tables(*sys.argv[2:])
    elif len(sys.argv) > 4 and sys.argv[1] == "reproducible" and sys.argv[3] == "--":
        check_reproducible(sys.argv[2], sys.argv[4:])
    elif len(sys.argv) == 5 and sys.argv[1] == "winget":
        check_winget(*sys.argv[2:])
        if not os.path.isdir(sys.argv[4]):
            return report(sys.argv[1]) or 77
    else:
        sys.exit(__doc__)
    return report(sys.argv[1])


if __name__ == "__main__":
    sys.exit(main())
