#!/usr/bin/env python3
"""Reads the resources back out of a built SLUMBMIX.SCR and checks them: both
settings templates control by control, string 1, the version information,
the icon group and the application manifest. With an .ico file as second
argument, the icon images must be the ones in that file.

    check_resources.py <SLUMBMIX.SCR> [<slumbermix.ico>]
"""
import os
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe_resources as pe  # noqa: E402
from check_frame import expect, fail, report  # noqa: E402

# The settings templates as res/slumbmix.rc spells them out, control by
# control, with the ids of res/resource.h: the one statement of the dialog's
# controls, which the built module must hold exactly, decoded as Windows
# decodes it (a missing PAD in the script shifts every control after it).
RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res")
STYLES = {  # what the script's style expressions name
    "WS_DISABLED": 0x08000000, "WS_VSCROLL": 0x00200000, "WS_BORDER": 0x00800000,
    "WS_GROUP": 0x00020000, "WS_TABSTOP": 0x00010000, "BS_AUTOCHECKBOX": 0x3, "BS_GROUPBOX": 0x7,
    "BS_CENTER": 0x300, "SS_LEFT": 0, "ES_RIGHT": 0x2, "ES_AUTOHSCROLL": 0x80, "ES_NUMBER": 0x2000,
    "LBS_NOTIFY": 0x1, "LBS_SORT": 0x2, "UDS_SETBUDDYINT": 0x2, "UDS_AUTOBUDDY": 0x10,
    "UDS_ARROWKEYS": 0x20, "UDS_NOTHOUSANDS": 0x80, "WS_EX_CLIENTEDGE": 0x200, "NO_EXSTYLE": 0,
}
WS_CHILD_VISIBLE = 0x40000000 | 0x10000000
WS_EX_DLGMODALFRAME = 0x1
CLASSES = {"BUTTON_CLASS": 0x80, "EDIT_CLASS": 0x81, "STATIC_CLASS": 0x82, "LISTBOX_CLASS": 0x83,
           "UPDOWN_CLASS_NAME": "msctls_updown32"}
ITEM = re.compile(r'ITEM\((\w+), ([^,]+), (\w+), (\d+), (\d+), (\d+), (\d+)\), (\w+), (L"[^"]*"|\w+),')
TEMPLATE = re.compile(r'^(IDD_\w+) DIALOG_RESOURCE\nBEGIN\n    HEADER\((\d+)\), (L"[^"]*")(.*?)^END', re.M | re.S)


def wide(literal):
    """The text of an L"..." literal of the script, without its NUL."""
    text = re.sub(r"\\x([0-9A-Fa-f]+)", lambda m: chr(int(m.group(1), 16)), literal[2:-1])
    return text.removesuffix("\\0")


def templates():
    """{template id: (title, declared count, [control dicts])} from res/."""
    with open(os.path.join(RES, "resource.h"), encoding="ascii") as f:
        ids = {name: int(value) & 0xFFFF for name, value in
               re.findall(r"#define (\w+) \(?(-?\d+)\)?", f.read())}
    ids.update(IDOK=1, IDCANCEL=2)
    with open(os.path.join(RES, "slumbmix.rc"), encoding="utf-8") as f:
        script = f.read()
    words = dict(re.findall(r'#define (\w+) (L"[^"]*")', script), NO_TEXT='L""')
    found = {}
    for name, count, title, body in TEMPLATE.findall(script):
        controls = []
        for ident, style, exstyle, x, y, cx, cy, cls, text in ITEM.findall(body):
            controls.append(dict(
                id=ids[ident], cls=CLASSES[cls], text=wide(words.get(text, text)),
                pos=(int(x), int(y), int(cx), int(cy)),
                style=WS_CHILD_VISIBLE | sum(STYLES[w.strip()] for w in style.split("|")),
                exstyle=STYLES[exstyle], extra=0))
        found[ids[name]] = (wide(title), int(count), controls)
    return found


TEMPLATES = [(1, 0x0409), (2, 0x0411)]  # id, language
DIALOG_STYLE = 0x90C82884
PRODUCT_LINE = "Slumbermix Ver 1.4  Copyright (C) 2024 Brimlo"

VERSION_STRINGS = {
    "Comments": "Slumbermix - Screen Saver Random Player",
    "CompanyName": "Brimlo",
    "FileDescription": "Slumbermix",
    "FileVersion": "1.4",
    "InternalName": "SLUMBMIX",
    "OriginalFilename": "SLUMBMIX.SCR",
}

def only(resources, what):
    """The one language version of a resource."""
    if len(resources) != 1:
        fail(f"{what}: {len(resources)} copies")
        return None, None
    return next(iter(resources.items()))


def check_dialogs(module):
    declared = templates()
    expect("templates in res/slumbmix.rc", sorted(declared), [t for t, _ in TEMPLATES])
    # The code drives both templates by the same ids: the same controls, in
    # the same order, of the same kinds.
    kinds = [[(c["id"], c["cls"], c["style"], c["exstyle"]) for c in controls]
             for _, _, controls in declared.values()]
    expect("both templates: ids, classes and styles", kinds[0], kinds[-1])
    for ident, language in TEMPLATES:
        title, count, wanted = declared.get(ident, ("", 0, []))
        where = f"dialog {ident}"
        expect(f"{where}: controls in res/slumbmix.rc, as HEADER declares", len(wanted), count)
        expect(f"{where}: the product line", [c["text"] for c in wanted][-2:-1], [PRODUCT_LINE])
        lang, blob = only(module.find(pe.RT_DIALOG, ident), where)
        if blob is None:
            continue
        expect(f"{where} language", lang, language)
        try:
            header, controls = pe.dialog(blob)
        except (ValueError, UnicodeDecodeError, struct.error) as error:
            fail(f"{where} cannot be read: {error}")
            continue
        expect(f"{where} style", hex(header["style"]), hex(DIALOG_STYLE))
        expect(f"{where} extended style", header["exstyle"], WS_EX_DLGMODALFRAME)
        expect(f"{where} position", header["pos"], (0, 0, 250, 158))
        expect(f"{where} menu", header["menu"], None)
        expect(f"{where} class", header["cls"], None)
        expect(f"{where} font", header["font"], None)
        expect(f"{where} title", header["title"], title)
        expect(f"{where} control count", len(controls), len(wanted))
        for n, (row, got) in enumerate(zip(wanted, controls), 1):
            at = f"{where} control {n} (id {row['id']})"
            for field in ("id", "cls", "text", "pos", "style", "exstyle", "extra"):
                expect(f"{at} {field}", got[field], row[field])
        expect(f"{where} size", header["end"], len(blob))


def check_string(module):
    _, blob = only(module.find(pe.RT_STRING, 1), "string block 1")
    if blob is not None:
        strings = pe.string_block(blob)
        expect("string 1", strings[1], "Slumbermix")
        expect("other strings of block 1", strings[:1] + strings[2:], [""] * 15)


def check_version(module):
    lang, blob = only(module.find(pe.RT_VERSION, 1), "version 1")
    if blob is None:
        return
    expect("version language", lang, 0x0411)
    fixed, blocks, translations = pe.version(blob)
    expect("version signature", hex(fixed["signature"]), hex(0xFEEF04BD))
    expect("file version", fixed["file_version"], (0x00010004, 0))
    expect("product version", fixed["product_version"], (0x00010004, 0))
    expect("file flags", fixed["flags"], 0)
    expect("file OS", fixed["os"], 4)
    expect("file type", fixed["type"], 1)
    expect("string blocks", list(blocks), ["041103A4"])
    strings = blocks.get("041103A4", {})
    copyright_line = strings.pop("LegalCopyright", "")
    if "Brimlo" not in copyright_line:
        fail(f"LegalCopyright: {copyright_line!r} does not name the maker")
    expect("version strings", strings, VERSION_STRINGS)
    expect("translations", translations, [(0x0411, 0x03A4)])


def check_icons(module, ico_path):
    _, blob = only(module.find(pe.RT_GROUP_ICON, 1), "icon group 1")
    if blob is None:
        return
    entries = pe.icon_group(blob)
    expect("icon sizes", [(e["width"], e["height"]) for e in entries], [(32, 32), (16, 16), (48, 48)])
    expected_images = pe.ico_file_images(ico_path) if ico_path else None
    for n, entry in enumerate(entries):
        at = f"icon image {entry['width']}x{entry['height']}"
        expect(f"{at} colours", entry["colours"], 16)
        expect(f"{at} group planes and bits", (entry["planes"], entry["bits"]), (1, 4))
        _, image = only(module.find(pe.RT_ICON, entry["id"]), f"{at} (icon {entry['id']})")
        if image is None:
            continue
        expect(f"{at} stored size", len(image), entry["size"])
        header = pe.icon_image(image)
        expect(f"{at} bitmap", (header["header"], header["width"], header["height"],
                                header["planes"], header["bits"], header["compression"]),
               (40, entry["width"], 2 * entry["height"], 1, 4, 0))
        if expected_images is not None:
            expect(f"{at} pixels match {os.path.basename(ico_path)}", image == expected_images[n], True)


# The application manifest, every element in document order with its
# attributes: Windows refuses to start a program whose manifest it cannot
# parse (an unknown or repeated element or attribute, a namespace off by a
# letter), and Wine runs it all the same, so the whole tree is held here
# exactly. Namespaces are shown by these short names; any other stays whole.
NAMESPACES = {
    "urn:schemas-microsoft-com:asm.v1": "v1",
    "urn:schemas-microsoft-com:asm.v3": "v3",
    "urn:schemas-microsoft-com:compatibility.v1": "compat",
    "http://schemas.microsoft.com/SMI/2005/WindowsSettings": "ws2005",
}
COMPAT = "v1:assembly/compat:compatibility/compat:application/compat:supportedOS"
MANIFEST = [
    ("v1:assembly", {"manifestVersion": "1.0"}),
    ("v1:assembly/v3:trustInfo", {}),
    ("v1:assembly/v3:trustInfo/v3:security", {}),
    ("v1:assembly/v3:trustInfo/v3:security/v3:requestedPrivileges", {}),
    ("v1:assembly/v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel",
     {"level": "asInvoker", "uiAccess": "false"}),
    ("v1:assembly/compat:compatibility", {}),
    ("v1:assembly/compat:compatibility/compat:application", {}),
    # Windows Vista, 7, 8, 8.1, and 10 (which 11 answers to as well)
    (COMPAT, {"Id": "{e2011457-1546-43c5-a5fe-008deee3d3f0}"}),
    (COMPAT, {"Id": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"}),
    (COMPAT, {"Id": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"}),
    (COMPAT, {"Id": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"}),
    (COMPAT, {"Id": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}),
    ("v1:assembly/v1:dependency", {}),
    ("v1:assembly/v1:dependency/v1:dependentAssembly", {}),
    ("v1:assembly/v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", {
        "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
        "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"}),
    ("v1:assembly/v3:application", {}),
    ("v1:assembly/v3:application/v3:windowsSettings", {}),
    ("v1:assembly/v3:application/v3:windowsSettings/ws2005:dpiAware", {}),
]


def short_name(tag):
    namespace, _, name = tag[1:].partition("}")
    return f"{NAMESPACES.get(namespace, '{' + namespace + '}')}:{name}"


def elements(element, parent=""):
    path = f"{parent}/{short_name(element.tag)}" if parent else short_name(element.tag)
    yield path, dict(element.attrib)
    for child in element:
        yield from elements(child, path)


def check_manifest(module):
    lang, blob = only(module.find(pe.RT_MANIFEST, 1), "manifest 1")
    if blob is None:
        return
    expect("manifest language (neutral)", lang, 0)
    expect("manifest declaration, no byte order mark before it",
           blob.split(b"?>", 1)[0], b'<?xml version="1.0" encoding="UTF-8" standalone="yes"')
    try:
        root = ElementTree.fromstring(blob.decode("utf-8"))
    except (UnicodeDecodeError, ElementTree.ParseError) as error:
        fail(f"manifest is not well-formed UTF-8 XML: {error}")
        return
    expect("manifest elements", list(elements(root)), MANIFEST)
    expect("manifest text", "".join(root.itertext()).split(), ["true"])


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    module = pe.Module(sys.argv[1])
    check_dialogs(module)
    check_string(module)
    check_version(module)
    check_icons(module, sys.argv[2] if len(sys.argv) == 3 else None)
    check_manifest(module)
    kinds = sorted({t for t, _, _ in module.resources})
    expect("resource types", kinds, sorted([pe.RT_ICON, pe.RT_DIALOG, pe.RT_STRING,
                                            pe.RT_GROUP_ICON, pe.RT_VERSION, pe.RT_MANIFEST]))
    return report(f"{sys.argv[1]}: {len(module.resources)} resources")


if __name__ == "__main__":
    sys.exit(main())
