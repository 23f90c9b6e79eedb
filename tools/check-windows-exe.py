#!/usr/bin/env python3
"""Checks what Windows itself reads from the built exe, which Wine does not hold it to.

  check-windows-exe.py manifest EXE       the embedded manifest: only elements Microsoft documents
                                          for application manifests, each in its namespace and
                                          place; dpiAware true where Windows looks for it; no
                                          requested execution level
  check-windows-exe.py imports EXE LIST   every imported function is in LIST ("DLL name" a line,
                                          # for comments): those checked to exist on Windows XP SP3
  check-windows-exe.py versions EXE       the operating-system and subsystem versions in the
                                          header are at most 5.1, so that Windows XP loads it

Prints what is wrong and exits 1; prints nothing and exits 0 when all is well.
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

V1 = "{urn:schemas-microsoft-com:asm.v1}"
V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"


def settings(year):
    return "{http://schemas.microsoft.com/SMI/%d/WindowsSettings}" % year


WINDOWS_SETTINGS = V3 + "windowsSettings"
# Each documented element of an application manifest, in its documented namespace, and the
# elements it may stand in (learn.microsoft.com, "Application manifests").
PLACES = {
    V1 + "assemblyIdentity": {V1 + "assembly", V1 + "dependentAssembly"},
    V1 + "noInherit": {V1 + "assembly"},
    V1 + "dependency": {V1 + "assembly"},
    V1 + "dependentAssembly": {V1 + "dependency"},
    V1 + "file": {V1 + "assembly"},
    COMPATIBILITY + "compatibility": {V1 + "assembly"},
    COMPATIBILITY + "application": {COMPATIBILITY + "compatibility"},
    COMPATIBILITY + "supportedOS": {COMPATIBILITY + "application"},
    COMPATIBILITY + "maxversiontested": {COMPATIBILITY + "application"},
    V3 + "application": {V1 + "assembly"},
    WINDOWS_SETTINGS: {V3 + "application"},
    V3 + "trustInfo": {V1 + "assembly"},
    V3 + "security": {V3 + "trustInfo"},
    V3 + "requestedPrivileges": {V3 + "security"},
    V3 + "requestedExecutionLevel": {V3 + "requestedPrivileges"},
}
for year, names in {2005: ["autoElevate", "disableTheming", "dpiAware"],
                    2011: ["disableWindowFiltering", "printerDriverIsolation"],
                    2013: ["highResolutionScrollingAware", "ultraHighResolutionScrollingAware"],
                    2016: ["dpiAwareness", "longPathAware"],
                    2017: ["gdiScaling"],
                    2019: ["activeCodePage"],
                    2020: ["heapType"],
                    2024: ["supportedArchitectures"]}.items():
    for name in names:
        PLACES[settings(year) + name] = {WINDOWS_SETTINGS}


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as file:
            self.data = file.read()
        header = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[header:header + 4] != b"PE\0\0":
            sys.exit(f"{path}: not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, header + 6)
        optional = header + 24
        self.pe32 = struct.unpack_from("<H", self.data, optional)[0] == 0x10B
        self.optional = optional
        self.directories = optional + (96 if self.pe32 else 112)
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", self.data, table + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        sys.exit(f"address {rva:#x} lies in no section")

    def directory(self, index):
        return struct.unpack_from("<I", self.data, self.directories + 8 * index)[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """(DLL, function) for each import by name; (DLL, "#ordinal") for one by number."""
        found = []
        entry = self.offset(self.directory(1))
        while True:
            names, _, _, dll, addresses = struct.unpack_from("<5I", self.data, entry)
            if dll == 0:
                return found
            width, by_number = (4, 1 << 31) if self.pe32 else (8, 1 << 63)
            thunk = self.offset(names or addresses)
            while value := int.from_bytes(self.data[thunk:thunk + width], "little"):
                name = f"#{value & 0xFFFF}" if value & by_number else self.text(value + 2)
                found.append((self.text(dll), name))
                thunk += width
            entry += 20

    def versions(self):
        """The operating-system and subsystem versions, each as (major, minor)."""
        os_major, os_minor, _, _, subsystem_major, subsystem_minor = struct.unpack_from(
            "<6H", self.data, self.optional + 40)
        return {"operating-system": (os_major, os_minor),
                "subsystem": (subsystem_major, subsystem_minor)}

    def resource(self, *ids):
        """The bytes of the first resource under the given type and name numbers."""
        base = self.offset(self.directory(2))
        level = base
        for wanted in [*ids, None]:
            named, numbered = struct.unpack_from("<12xHH", self.data, level)
            entries = [struct.unpack_from("<II", self.data, level + 16 + 8 * i)
                       for i in range(named + numbered)]
            target = next((to for key, to in entries if wanted is None or key == wanted), None)
            if target is None:
                return None
            level = base + (target & 0x7FFFFFFF)
            if not target & 0x80000000:
                address, size = struct.unpack_from("<II", self.data, level)
                return self.data[self.offset(address):self.offset(address) + size]
        return None


def manifest_faults(exe):
    RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID = 24, 1
    text = PeFile(exe).resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID)
    if text is None:
        return ["no manifest resource (RT_MANIFEST 1)"]
    root = ElementTree.fromstring(text)
    if root.tag != V1 + "assembly":
        return [f"the root element is {root.tag}, not {V1}assembly"]
    faults = []
    parents = {child: parent for parent in root.iter() for child in parent}
    for element in root.iter():
        if element is root:
            continue
        places = PLACES.get(element.tag)
        if places is None:
            faults.append(f"undocumented element {element.tag}")
        elif parents[element].tag not in places:
            faults.append(f"{element.tag} stands in {parents[element].tag}")
        if element.tag.endswith("}requestedExecutionLevel"):
            faults.append("the manifest requests an execution level")
    path = f"{V3}application/{WINDOWS_SETTINGS}/{settings(2005)}dpiAware"
    aware = root.findall(path)
    if [element.text.strip().lower() for element in aware] != ["true"]:
        faults.append(f"no dpiAware true where Windows reads it ({path})")
    return faults


# Windows XP's version; its loader refuses a program whose subsystem version is higher
# (learn.microsoft.com: the linker option /SUBSYSTEM, and the compilers' -subsystemversion table).
XP = (5, 1)


def version_faults(exe):
    return [f"the {field} version is {major}.{minor}, above Windows XP's {XP[0]}.{XP[1]}"
            for field, (major, minor) in PeFile(exe).versions().items() if (major, minor) > XP]


def import_faults(exe, listing):
    with open(listing, encoding="utf-8") as file:
        known = {tuple(line.split()) for line in file if line.strip() and line[0] != "#"}
    return [f"{dll} {name} is not in {listing}"
            for dll, name in sorted(set(PeFile(exe).imports()) - known)]


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "manifest":
        faults = manifest_faults(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "versions":
        faults = version_faults(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "imports":
        faults = import_faults(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
    for fault in faults:
        print(f"{sys.argv[2]}: {fault}")
    sys.exit(1 if faults else 0)
