"""A small reader of the resources of a PE module (Python 3 standard library
only): the resource tree, dialog templates, string tables, version
information and icon groups, decoded the way Windows reads them."""
import struct

RT_ICON = 3
RT_DIALOG = 5
RT_STRING = 6
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24


class Module:
    """The raw bytes of a module and its resources as {(type, name, language): bytes}."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.machine, self.sections, resource_rva = self._headers()
        self.resources = {}
        if resource_rva:
            self._walk(self._offset(resource_rva), self._offset(resource_rva), [])

    def _headers(self):
        data = self.data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        machine, count, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + {0x10B: 96, 0x20B: 112}[magic]
        resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        sections = []
        table = optional + optional_size
        for i in range(count):
            _, virtual_size, rva, raw_size, raw_offset = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            sections.append((rva, max(virtual_size, raw_size), raw_offset))
        return machine, sections, resource_rva

    def _offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} outside every section")

    def _walk(self, base, directory, path):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            else:
                key = name
            if target & 0x80000000:
                self._walk(base, base + (target & 0x7FFFFFFF), path + [key])
            else:
                rva, size = struct.unpack_from("<II", self.data, base + target)
                at = self._offset(rva)
                self.resources[tuple(path + [key])] = self.data[at:at + size]

    def find(self, kind, name):
        """{language: bytes} of every resource of this type and name."""
        return {lang: blob for (t, n, lang), blob in self.resources.items()
                if t == kind and n == name}


# ---------------------------------------------------------------- decoding

def _string(blob, at):
    """A NUL-terminated UTF-16 string: (text, offset after it)."""
    end = at
    while blob[end:end + 2] != b"\0\0":
        end += 2
    return blob[at:end].decode("utf-16-le"), end + 2


def _name_or_ordinal(blob, at):
    """A name-or-ordinal field: an int, a str, or None when empty."""
    first = struct.unpack_from("<H", blob, at)[0]
    if first == 0xFFFF:
        return struct.unpack_from("<H", blob, at + 2)[0], at + 4
    if first == 0:
        return None, at + 2
    return _string(blob, at)


def _align(at):
    return (at + 3) & ~3


def dialog(blob):
    """A DLGTEMPLATE: a dict of the header and a list of control dicts."""
    if struct.unpack_from("<I", blob, 0)[0] == 0xFFFF0001:
        raise ValueError("extended dialog template")
    style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", blob, 0)
    menu, at = _name_or_ordinal(blob, 18)
    window_class, at = _name_or_ordinal(blob, at)
    title, at = _string(blob, at)
    font = None
    if style & 0x40:  # DS_SETFONT
        size = struct.unpack_from("<H", blob, at)[0]
        face, at = _string(blob, at + 2)
        font = (size, face)
    controls = []
    for _ in range(count):
        at = _align(at)
        c_style, c_exstyle, c_x, c_y, c_cx, c_cy, c_id = struct.unpack_from("<IIhhhhH", blob, at)
        c_class, at = _name_or_ordinal(blob, at + 18)
        text, at = _name_or_ordinal(blob, at)
        text = "" if text is None else text  # an empty text is the one word 0
        extra = struct.unpack_from("<H", blob, at)[0]
        at += 2 + extra
        controls.append(dict(id=c_id, cls=c_class, text=text, pos=(c_x, c_y, c_cx, c_cy),
                             style=c_style, exstyle=c_exstyle, extra=extra))
    return dict(style=style, exstyle=exstyle, pos=(x, y, cx, cy), menu=menu,
                cls=window_class, title=title, font=font, end=at), controls


def string_block(blob):
    """The 16 strings of one RT_STRING block."""
    strings, at = [], 0
    for _ in range(16):
        length = struct.unpack_from("<H", blob, at)[0]
        strings.append(blob[at + 2:at + 2 + 2 * length].decode("utf-16-le"))
        at += 2 + 2 * length
    return strings


def _version_node(blob, at):
    """One node of a version resource: (key, value bytes, text flag, children)."""
    length, value_length, text = struct.unpack_from("<HHH", blob, at)
    key, pos = _string(blob, at + 6)
    pos = _align(pos)
    value_bytes = value_length * 2 if text else value_length
    value = blob[pos:pos + value_bytes]
    pos = _align(pos + value_bytes)
    children, end = [], at + length
    while pos < end:
        child = _version_node(blob, pos)
        children.append(child)
        pos = _align(pos + struct.unpack_from("<H", blob, pos)[0])
    return key, value, text, children


def version(blob):
    """VS_VERSIONINFO: the fixed part as a dict, {block: {name: text}} and the
    translations as a list of (language, code page)."""
    key, value, _, children = _version_node(blob, 0)
    if key != "VS_VERSION_INFO":
        raise ValueError(f"version root is {key!r}")
    fields = struct.unpack("<13I", value)
    fixed = dict(signature=fields[0], file_version=(fields[2], fields[3]),
                 product_version=(fields[4], fields[5]), flags_mask=fields[6],
                 flags=fields[7], os=fields[8], type=fields[9], subtype=fields[10])
    blocks, translations = {}, []
    for child_key, _, _, grandchildren in children:
        if child_key == "StringFileInfo":
            for block_key, _, _, strings in grandchildren:
                blocks[block_key] = {name: text.decode("utf-16-le").rstrip("\0")
                                     for name, text, _, _ in strings}
        elif child_key == "VarFileInfo":
            for var_key, var_value, _, _ in grandchildren:
                if var_key == "Translation":
                    translations += list(struct.iter_unpack("<HH", var_value))
    return fixed, blocks, translations


def icon_group(blob):
    """GRPICONDIR entries as dicts, in stored order."""
    _, kind, count = struct.unpack_from("<HHH", blob, 0)
    if kind != 1:
        raise ValueError("not an icon group")
    entries = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, ident = struct.unpack_from("<BBBBHHIH", blob, 6 + 14 * i)
        entries.append(dict(width=w or 256, height=h or 256, colours=colours, planes=planes,
                            bits=bits, size=size, id=ident))
    return entries


def icon_image(blob):
    """The BITMAPINFOHEADER of one RT_ICON image."""
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", blob, 0)
    return dict(header=size, width=width, height=height, planes=planes, bits=bits,
                compression=compression)


def ico_file_images(path):
    """The image bytes of each entry of an .ico file, in order."""
    with open(path, "rb") as f:
        data = f.read()
    _, _, count = struct.unpack_from("<HHH", data, 0)
    images = []
    for i in range(count):
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        images.append(data[offset:offset + size])
    return images
