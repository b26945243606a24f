#!/usr/bin/env python3
"""Reads the resources back out of a built SLUMBMIX.SCR and checks them: both
settings templates control by control, string 1, the version information,
the icon group and the application manifest. With an .ico file as second
argument, the icon images must be the ones in that file.

    check_resources.py <SLUMBMIX.SCR> [<slumbermix.ico>]
"""
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe_resources as pe  # noqa: E402
from check_frame import expect, fail, report  # noqa: E402

# Styles
WS_CHILD, WS_VISIBLE, WS_DISABLED = 0x40000000, 0x10000000, 0x08000000
WS_VSCROLL, WS_BORDER, WS_GROUP, WS_TABSTOP = 0x00200000, 0x00800000, 0x00020000, 0x00010000
BS_AUTOCHECKBOX, BS_GROUPBOX, BS_CENTER = 0x3, 0x7, 0x300
ES_RIGHT, ES_AUTOHSCROLL, ES_NUMBER = 0x2, 0x80, 0x2000
LBS_NOTIFY, LBS_SORT = 0x1, 0x2
UDS_SETBUDDYINT, UDS_AUTOBUDDY, UDS_ARROWKEYS, UDS_NOTHOUSANDS = 0x2, 0x10, 0x20, 0x80
WS_EX_DLGMODALFRAME, WS_EX_CLIENTEDGE = 0x1, 0x200
BUTTON, EDIT, STATIC, LISTBOX = 0x80, 0x81, 0x82, 0x83  # predefined class atoms
UPDOWN = "msctls_updown32"

PUSH = BS_CENTER | WS_TABSTOP
CHECK = BS_AUTOCHECKBOX | WS_TABSTOP
PRODUCT_LINE = "Slumbermix Ver 1.4  Copyright (C) 2024 Brimlo"

# id, class, English text, Japanese text, English position, Japanese position
# (None: as English), styles beyond WS_CHILD | WS_VISIBLE, extended style.
# Identifier 0xFFFF is -1, the static items that have none.
CONTROLS = [
    (1, BUTTON, "OK", "OK", (198, 2, 50, 12), None, PUSH, 0),
    (2, BUTTON, "Cancel", "キャンセル", (198, 16, 50, 12), None, PUSH, 0),
    (30719, BUTTON, "&Apply", "適用(&A)", (198, 30, 50, 12), None, PUSH | WS_DISABLED, 0),
    (0xFFFF, BUTTON, "Screen Saver Directory", "スクリーンセーバの保存先", (2, 2, 194, 52), None,
     BS_GROUPBOX | WS_GROUP, 0),
    (100, BUTTON, "&Windows Directory", "&Windows", (6, 12, 78, 10), None, CHECK, 0),
    (101, STATIC, "", "", (84, 12, 80, 10), None, 0, WS_EX_CLIENTEDGE),
    (102, BUTTON, "&System Directory", "&System", (6, 22, 78, 10), None, CHECK, 0),
    (103, STATIC, "", "", (84, 22, 80, 10), None, 0, WS_EX_CLIENTEDGE),
    (104, BUTTON, "E&xtention Directory", "追加フォルダ(&X)", (6, 32, 78, 10), None, CHECK, 0),
    (105, EDIT, "", "", (84, 32, 80, 10), None, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0),
    (30717, BUTTON, "Ref", "参照", (164, 32, 28, 10), None, PUSH, 0),
    (106, BUTTON, "Search Sub&directory", "サブフォルダも検索(&d)", (14, 42, 80, 10), None, CHECK, 0),
    (107, BUTTON, "&Random Play", "ランダム実行(&R)", (4, 56, 80, 10), None, CHECK, 0),
    (0xFFFF, STATIC, "Change &Time(min)", "切り替え時間(&T)分", (84, 56, 70, 10), (88, 57, 74, 10),
     0, 0),
    (108, EDIT, "", "", (150, 56, 24, 10), (164, 56, 24, 10),
     ES_NUMBER | ES_RIGHT | WS_BORDER | WS_TABSTOP, 0),
    (109, UPDOWN, "UpDown1", "UpDown1", (173, 56, 8, 10), (187, 56, 8, 10),
     UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0),
    (114, BUTTON, "&Disable aero", "aero停止(&D)※低速になる現象回避用", (4, 66, 190, 10), None, CHECK, 0),
    (0xFFFF, STATIC, "Screen Sa&vers", "スクリーンセーバ一覧(&V)", (2, 78, 76, 10), (2, 78, 194, 10), 0, 0),
    (110, LISTBOX, "", "", (2, 88, 194, 60), None,
     LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0),
    (111, BUTTON, "S&etting", "設定(&E)", (198, 88, 50, 12), None, PUSH, 0),
    (112, BUTTON, "&Preview", "プレビュー(&P)", (198, 102, 50, 12), None, PUSH, 0),
    (0xFFFF, STATIC, PRODUCT_LINE, PRODUCT_LINE, (2, 148, 190, 10), None, 0, 0),
    (113, BUTTON, "Support", "サポート", (198, 144, 50, 12), None, PUSH, 0),
]
TEMPLATES = [  # id, language, title, column of the text, column of the position
    (1, 0x0409, "Slumbermix Settings", 2, 4),
    (2, 0x0411, "Slumbermixの設定", 3, 5),
]
DIALOG_STYLE = 0x90C82884

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
    for ident, language, title, text_column, pos_column in TEMPLATES:
        lang, blob = only(module.find(pe.RT_DIALOG, ident), f"dialog {ident}")
        if blob is None:
            continue
        where = f"dialog {ident}"
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
        expect(f"{where} control count", len(controls), len(CONTROLS))
        for n, (row, got) in enumerate(zip(CONTROLS, controls), 1):
            control_id, cls, style, exstyle = row[0], row[1], row[6], row[7]
            pos = row[pos_column] or row[4]
            at = f"{where} control {n} (id {control_id})"
            expect(f"{at} id", got["id"], control_id)
            expect(f"{at} class", got["cls"], cls)
            expect(f"{at} text", got["text"], row[text_column])
            expect(f"{at} position", got["pos"], pos)
            expect(f"{at} style", hex(got["style"]), hex(WS_CHILD | WS_VISIBLE | style))
            expect(f"{at} extended style", hex(got["exstyle"]), hex(exstyle))
            expect(f"{at} creation data", got["extra"], 0)
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
