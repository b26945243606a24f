#!/usr/bin/env python3
"""Writes the winget manifests of a release.

    winget.py --dist DIST --url BASE --sources SOURCES

DIST holds the release's two packages; BASE is the address where they will
be published (each one's InstallerUrl is BASE followed by its file name);
SOURCES is the tree they were built from. Into DIST/winget/ go the three
manifests that winget's package repository takes for a version (manifest
format 1.10.0): the version manifest, the installer manifest and the
default locale's.

Nothing in them is typed twice. The version, publisher, name and copyright
are those of the version resource (res/slumbmix.rc); the licence is the
first line of LICENSE; the lowest Windows is the oldest one the
application manifest (res/slumbmix.manifest) declares support for. Each
installer's hash is that of the package in DIST, and its product code,
upgrade code and Apps and Features entry are read back from that package
with msiinfo: winget matches an installed program to its manifest by them.

Written with PyYAML (Debian's python3-yaml), the keys in the order winget's
manifest documentation lists them.
"""
import argparse
import datetime
import hashlib
import os
import re
import subprocess
import sys

import yaml

IDENTIFIER_FORMAT = "{publisher}.{name}"
MANIFEST_VERSION = "1.10.0"
LOCALE = "en-US"
SHORT_DESCRIPTION = "A screen saver that plays the other installed screen savers in rotation."
DESCRIPTION = (
    "Slumbermix is a screen saver that draws nothing of its own: it plays the other screen "
    "savers installed on the machine in rotation, least-played first, closes each one after "
    "a change time you choose and starts the next, and ends the whole run as soon as you touch "
    "the mouse or keyboard. It has a preview for the display settings and a settings dialog "
    "in English and Japanese. Choose it in the Screen Saver Settings after installing.")
TAGS = ["screensaver", "screen-saver", "rotation"]

# The supportedOS entries of an application manifest, by the Windows each
# one stands for, as the version of its first release.
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "6.0.6000.0",    # Windows Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "6.1.7600.0",    # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "6.2.9200.0",    # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "6.3.9600.0",    # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10.0.10240.0",  # Windows 10 and 11
}
ARCHITECTURES = ("x64", "x86")


def fail(message):
    sys.exit(f"winget.py: {message}")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def resource_strings(rc):
    text = read(rc)
    found = re.search(r"FILEVERSION (\d+), *(\d+), *(\d+)", text)
    if not found:
        fail(f"no FILEVERSION in {rc}")
    strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', text))
    for key in ("CompanyName", "FileDescription", "LegalCopyright"):
        if key not in strings:
            fail(f"no {key} in {rc}")
    return ".".join(found.groups()), strings


def minimum_windows(manifest):
    ids = re.findall(r'<supportedOS Id="([^"]+)"', read(manifest))
    versions = [SUPPORTED_OS[i.lower()] for i in ids if i.lower() in SUPPORTED_OS]
    if not versions:
        fail(f"no Windows version that this script knows in {manifest}")
    return min(versions, key=lambda v: tuple(int(n) for n in v.split(".")))


def package_properties(msi):
    lines = subprocess.run(["msiinfo", "export", msi, "Property"], check=True,
                           capture_output=True, text=True).stdout.splitlines()
    return dict(line.split("\t", 1) for line in lines[3:] if "\t" in line)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest().upper()


# ------------------------------------------------------------------ YAML
#
# The manifests hold only mappings, lists and strings, written in the order
# they were built. Every string value is double-quoted: PyYAML reads YAML
# 1.1 and would leave plain a text that a YAML 1.2 reader such as winget's
# takes for a number (a hash of digits with one E in it, say). Keys stay
# plain, as in winget's own examples.

class ManifestDumper(yaml.SafeDumper):
    def represent_str(self, text):
        return self.represent_scalar("tag:yaml.org,2002:str", text, style='"')

    def represent_mapping(self, tag, mapping, flow_style=None):
        node = super().represent_mapping(tag, mapping, flow_style)
        for key, _ in node.value:
            key.style = None
        return node


ManifestDumper.add_representer(str, ManifestDumper.represent_str)


def write_manifest(folder, name, kind, content):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}."
                f"{MANIFEST_VERSION}.schema.json\n")
        yaml.dump(content, f, Dumper=ManifestDumper, sort_keys=False, allow_unicode=True,
                  default_flow_style=False, width=1 << 16)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for option in ("dist", "url", "sources"):
        parser.add_argument(f"--{option}", required=True)
    args = parser.parse_args()
    if not re.match(r"^[Hh][Tt][Tt][Pp][Ss]?://.+", args.url):
        fail(f"--winget-url {args.url} is not an http or https address")
    base = args.url if args.url.endswith("/") else args.url + "/"

    version, strings = resource_strings(os.path.join(args.sources, "res", "slumbmix.rc"))
    publisher, name = strings["CompanyName"], strings["FileDescription"]
    licence = read(os.path.join(args.sources, "LICENSE")).splitlines()[0].strip()
    licence = re.sub(r" License$", "", licence)
    identifier = IDENTIFIER_FORMAT.format(publisher=publisher, name=name)
    head = {"PackageIdentifier": identifier, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}

    installers = []
    for arch in ARCHITECTURES:
        file_name = f"{name}-{version}-{arch}.msi"
        msi = os.path.join(args.dist, file_name)
        if not os.path.isfile(msi):
            fail(f"no {file_name} in {args.dist}")
        props = package_properties(msi)
        if props.get("ProductVersion") != version:
            fail(f"{file_name} is version {props.get('ProductVersion')}, the resources {version}")
        installers.append({
            "Architecture": arch,
            "InstallerUrl": base + file_name,
            "InstallerSha256": sha256(msi),
            "ProductCode": props["ProductCode"],
            # What Windows Installer writes under the product's Uninstall key.
            "AppsAndFeaturesEntries": [{
                "DisplayName": props["ProductName"],
                "Publisher": props["Manufacturer"],
                "DisplayVersion": props["ProductVersion"],
                "ProductCode": props["ProductCode"],
                "UpgradeCode": props["UpgradeCode"],
            }],
        })

    installer = dict(head)
    installer.update({
        "Platform": ["Windows.Desktop"],
        "MinimumOSVersion": minimum_windows(os.path.join(args.sources, "res", "slumbmix.manifest")),
        "InstallerType": "msi",
        "Scope": "machine",
        # A newer package replaces the older itself (a major upgrade).
        "UpgradeBehavior": "install",
    })
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        installer["ReleaseDate"] = datetime.datetime.fromtimestamp(
            int(epoch), datetime.timezone.utc).strftime("%Y-%m-%d")
    installer["Installers"] = installers
    installer.update(ManifestType="installer", **tail)

    locale = dict(head)
    locale.update({
        "PackageLocale": LOCALE,
        "Publisher": publisher,
        "PackageName": name,
        "License": licence,
        "Copyright": strings["LegalCopyright"],
        "ShortDescription": SHORT_DESCRIPTION,
        "Description": DESCRIPTION,
        "Moniker": name.lower(),
        "Tags": TAGS,
        "ManifestType": "defaultLocale",
    })
    locale.update(tail)

    version_manifest = dict(head)
    version_manifest.update(DefaultLocale=LOCALE, ManifestType="version", **tail)

    folder = os.path.join(args.dist, "winget")
    os.makedirs(folder, exist_ok=True)
    write_manifest(folder, f"{identifier}.yaml", "version", version_manifest)
    write_manifest(folder, f"{identifier}.installer.yaml", "installer", installer)
    write_manifest(folder, f"{identifier}.locale.{LOCALE}.yaml", "defaultLocale", locale)
    print(f"winget manifests of {identifier} {version} in {folder}")


if __name__ == "__main__":
    main()
