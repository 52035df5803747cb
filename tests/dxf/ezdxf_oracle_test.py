#!/usr/bin/python3
"""DXF through the real cadhost and the real macro, checked with ezdxf as the reference reader.

ezdxf writes the test drawings (R12, R2000, R2010, R2018, one in code page 1251 and one with
CRLF line ends); cadhost loads each, the macro replaces "door" by "Gate" ignoring case over the
whole drawing, cadhost saves, and ezdxf reads the result: exactly the texts the macro may change
have changed, and every other attribute of every entity is as it was.

    ezdxf_oracle_test.py CADHOST
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

import ezdxf

CADHOST = None

LONG_TEXT = "door " * 60  # longer than the host's 255 characters


def make_drawing(path, version, code_page=None, crlf=False):
    doc = ezdxf.new(version)
    if code_page:
        doc.header["$DWGCODEPAGE"] = code_page
    doc.layers.add("Doors", color=3)
    doc.layers.add("Notes", color=4)
    doc.layers.add("Locked", color=5).lock()
    msp = doc.modelspace()
    texts = ["Door 101", "DOOR 102", "Back door and door", "Tür door", "Fenster",
             "門 door", "Ω door", "€ 12 DoOr"]
    if code_page == "ANSI_1251":
        texts.append("Дверь door")
    if version != "R12":
        texts.append(LONG_TEXT)
    for k, text in enumerate(texts):
        msp.add_text(text, dxfattribs={"layer": "Doors", "height": 1 + k / 10,
                                       "rotation": 15 * k}).set_placement((k, 2 * k))
    msp.add_text("Door on a locked layer", dxfattribs={"layer": "Locked"})
    msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "Notes"})
    msp.add_circle((3, 3), 2)
    if version == "R12":
        msp.add_polyline2d([(0, 0), (4, 0), (4, 4)], close=True)
    else:
        msp.add_lwpolyline([(0, 0), (4, 0), (4, 4)], close=True)
        msp.add_mtext("Front door\\P{\\C1;stair} 2", dxfattribs={"layer": "Notes"})
    block = doc.blocks.new("TAG")
    block.add_attdef("NUM", (0, 0))
    block.add_attdef("NOTE", (0, 1))
    insert = msp.add_blockref("TAG", (5, 5), dxfattribs={"layer": "Doors"})
    insert.add_attrib("NUM", "door tag", (5, 5))
    insert.add_attrib("NOTE", "D-1", (5, 6))
    doc.saveas(path)
    if crlf:
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data.replace(b"\n", b"\r\n"))


def unescaped(text):
    """The text with DXF's \\U+XXXX escapes decoded (ezdxf leaves some of them in)."""
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def offered(text, layer):
    """Whether the macro may change the text: the host can hold it and its layer is open."""
    try:
        held = unescaped(text).encode("cp1252")
    except UnicodeEncodeError:
        return False
    return len(held) <= 255 and layer != "Locked"


def expected_text(text, layer):
    if not offered(text, layer):
        return text
    return re.sub("door", "Gate", text, flags=re.IGNORECASE)


def all_entities(doc):
    """Every entity of the model space with its attributes, ATTRIBs included, by handle."""
    found = {}
    for e in doc.modelspace():
        found[e.dxf.handle] = e
        if e.dxftype() == "INSERT":
            for a in e.attribs:
                found[a.dxf.handle] = a
    return found


def attributes(entity):
    return {k: v for k, v in entity.dxfattribs().items() if k != "text"}


def run_cadhost(scenario, workdir, extra=()):
    path = os.path.join(workdir, "run.scn")
    with open(path, "w", encoding="utf-8") as f:
        f.write(scenario)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([CADHOST, "--scenario", path, *extra], capture_output=True,
                          text=True, env=env, timeout=120)


def change_scenario(source, target, version):
    lines = [f'drawing "{source}"', "ini macro Quillex UseForm 0", "start", "key F9",
             'text "door"', "key S3", 'text "Gate"', "key F10", "select all",
             'box ok info "Matching Entities on Locked Layers will NOT be modified"']
    if version != "R12":
        lines += ["dialog fmSelSet", "  choose lbSelSets 2", "  click btnOK", "end"]
    lines += ["key S0", "expect ended", f'save "{target}"']
    return "\n".join(lines) + "\n"


VARIANTS = [
    ("R12", "R12", None, False),
    ("R2000", "R2000", None, False),
    ("R2000-1251", "R2000", "ANSI_1251", False),
    ("R2010", "R2010", None, False),
    ("R2018", "R2018", None, False),
    ("R2018-crlf", "R2018", None, True),
]


class DxfOracle(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def drawing(self, name, version, code_page, crlf):
        path = os.path.join(self.dir, name + ".dxf")
        make_drawing(path, version, code_page, crlf)
        return path

    def test_load_and_save_without_change_is_byte_identical(self):
        for name, version, code_page, crlf in VARIANTS:
            with self.subTest(name):
                source = self.drawing(name, version, code_page, crlf)
                target = os.path.join(self.dir, name + "-same.dxf")
                result = run_cadhost(f'drawing "{source}"\nsave "{target}"\n', self.dir)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                with open(source, "rb") as a, open(target, "rb") as b:
                    self.assertEqual(a.read(), b.read())

    def test_a_change_run_changes_exactly_the_expected_texts(self):
        for name, version, code_page, crlf in VARIANTS:
            with self.subTest(name):
                source = self.drawing(name, version, code_page, crlf)
                target = os.path.join(self.dir, name + "-changed.dxf")
                result = run_cadhost(change_scenario(source, target, version), self.dir)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                before = all_entities(ezdxf.readfile(source))
                after_doc = ezdxf.readfile(target)
                after = all_entities(after_doc)
                self.assertEqual(sorted(before), sorted(after))
                changed = 0
                for handle, old in before.items():
                    new = after[handle]
                    self.assertEqual(attributes(new), attributes(old), handle)
                    if not old.dxf.hasattr("text"):
                        continue
                    want = old.dxf.text
                    if old.dxftype() in ("TEXT", "ATTRIB"):
                        want = expected_text(old.dxf.text, old.dxf.layer)
                    self.assertEqual(new.dxf.text, want, handle)
                    changed += want != old.dxf.text
                self.assertIn(f"replacements made in {changed} entities", result.stdout)
                with open(source, "rb") as f:
                    line_end = b"\r\n" if b"\r\n" in f.read(100) else b"\n"
                with open(target, "rb") as f:
                    data = f.read()
                self.assertEqual(data.count(b"\n"), data.count(line_end))
                if version == "R12":
                    self.assertIn("are not stored, since R12 files have no objects section",
                                  result.stdout)
                    continue
                record = after_doc.rootdict["CADHOST_DRAWING"]
                self.assertIn((3, "door"), [tuple(t) for t in record.tags])
                group = after_doc.groups.get("CADHOST_SELSET_2")
                self.assertEqual([e.dxftype() for e in group], ["MTEXT"])
                self.assertEqual(group.dxf.description, "Quillset")
                self.assertFalse(after_doc.audit().has_errors)

    def test_the_macros_settings_come_back_with_the_drawing(self):
        source = self.drawing("R2018", "R2018", None, False)
        target = os.path.join(self.dir, "saved.dxf")
        result = run_cadhost(change_scenario(source, target, "R2018"), self.dir)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        handle = next(e.dxf.handle for e in ezdxf.readfile(source).modelspace()
                      if e.dxftype() == "MTEXT")
        again = run_cadhost(f'drawing "{target}"\n'
                            'expect attribute SearchStr text "door"\n'
                            'expect attribute ReplaceStr text "Gate"\n'
                            f'expect selset 2 "Quillset" {handle}\n', self.dir)
        self.assertEqual(again.returncode, 0, again.stdout + again.stderr)

    def test_bad_files_give_a_message_with_file_and_line_and_write_nothing(self):
        source = self.drawing("good", "R2000", None, False)
        with open(source, "rb") as f:
            good = f.read()
        lines = good.split(b"\n")
        entities = lines.index(b"ENTITIES")
        endsec = lines.index(b"ENDSEC", entities)
        eof = len(lines) - 2
        page = lines.index(b"$DWGCODEPAGE")
        cases = {
            "truncated": (b"\n".join(lines[: entities + 41]) + b"\n", "ENDSEC is missing"),
            "odd-lines": (b"\n".join(lines[: entities + 40]) + b"\n", "has no value"),
            "code-not-a-number": (b"\n".join(lines[: entities + 1] + [b"abc"] +
                                             lines[entities + 2:]), "is not a number"),
            "missing-endsec": (b"\n".join(lines[: endsec - 1] + lines[endsec + 1:]),
                               "has no ENDSEC"),
            "missing-eof": (b"\n".join(lines[: eof - 1]) + b"\n", "ends without EOF"),
            "oversized-value": (b"\n".join(lines[: entities + 1] + [b"999", b"x" * 70000] +
                                           lines[entities + 1:]), "70000 bytes long"),
            "unknown-code-page": (b"\n".join(lines[: page + 2] + [b"ANSI_9999"] +
                                             lines[page + 3:]), "is not known"),
        }
        for name, (data, message) in cases.items():
            with self.subTest(name):
                path = os.path.join(self.dir, name + ".dxf")
                with open(path, "wb") as f:
                    f.write(data)
                target = os.path.join(self.dir, name + "-out.dxf")
                result = run_cadhost("drawing empty\n", self.dir, ["--drawing", path,
                                                                   "--save", target])
                self.assertNotEqual(result.returncode, 0)
                self.assertRegex(result.stderr,
                                 re.escape(path) + r": line \d+: .*" + re.escape(message))
                self.assertFalse(os.path.exists(target))

    def test_binary_dxf_and_dwg_are_refused_by_name(self):
        doc = ezdxf.new("R2018")
        doc.modelspace().add_text("Door")
        binary = os.path.join(self.dir, "binary.dxf")
        doc.saveas(binary, fmt="bin")
        dwg = os.path.join(self.dir, "plan.dwg")
        with open(dwg, "wb") as f:
            f.write(b"AC1032\x00\x00\x00\x00\x00\x01" + bytes(64))
        for path, what in ((binary, "is a binary DXF file"), (dwg, "is a DWG drawing")):
            with self.subTest(what):
                target = os.path.join(self.dir, "out.dxf")
                result = run_cadhost("drawing empty\n", self.dir, ["--drawing", path,
                                                                   "--save", target])
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(f"{path}: {what}", result.stderr)
                self.assertFalse(os.path.exists(target))


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    CADHOST = sys.argv.pop(1)
    unittest.main(verbosity=2)
