#!/usr/bin/python3
"""Writes the benchmark's DXF drawing: N TEXT entities, about one in ten holding "door" in some
letter case, and N/20 MTEXT entities, over 20 layers, as an R2018 file that ezdxf and AutoCAD
read.

ezdxf lays out the header, tables and objects; the entities are streamed into its ENTITIES
section, since building a million entity objects in Python would take longer than the runs the
benchmark measures.

    dxf_generate.py N OUT.dxf
"""
import io
import random
import sys

import ezdxf

LAYERS = 20
DOOR_TEXTS = ["Door {n}", "DOOR D-{n}", "door frame {n}", "Back door {n}", "Doorway {n}",
              "Fire door {n} EI30", "Sliding DOOR {n}"]
OTHER_TEXTS = ["Window {n}", "Wall W-{n}", "Room {n}", "Stair S{n}", "Column C-{n}",
               "Beam B{n} 300x600", "Kitchen {n}", "Corridor {n}", "Level +{n}.50",
               "Section A-{n}"]
MTEXT_TEXTS = [r"Note {n}:\PCheck the finish of wall {n} on site.",
               r"{{\fArial|b1;General}}\PAll sizes in mm. Sheet {n}.",
               r"\A1;Room schedule {n}\PArea 12.5 m²\PHeight 2.70 m"]


def text_tags(handle, owner, layer, x, y, text):
    return (f"  0\nTEXT\n  5\n{handle:X}\n330\n{owner}\n100\nAcDbEntity\n  8\n{layer}\n"
            f"100\nAcDbText\n 10\n{x:.3f}\n 20\n{y:.3f}\n 30\n0.0\n 40\n2.5\n  1\n{text}\n"
            f"100\nAcDbText\n")


def mtext_tags(handle, owner, layer, x, y, content):
    return (f"  0\nMTEXT\n  5\n{handle:X}\n330\n{owner}\n100\nAcDbEntity\n  8\n{layer}\n"
            f"100\nAcDbMText\n 10\n{x:.3f}\n 20\n{y:.3f}\n 30\n0.0\n 40\n2.5\n 41\n60.0\n"
            f" 71\n1\n  1\n{content}\n")


def generate(count, path, seed=20240101):
    rng = random.Random(seed)
    doc = ezdxf.new("R2018")
    layers = [f"Layer{i:02d}" for i in range(LAYERS)]
    for i, name in enumerate(layers):
        doc.layers.add(name, color=i % 7 + 1)
    owner = doc.modelspace().block_record_handle
    buffer = io.StringIO()
    doc.write(buffer)
    template = buffer.getvalue()

    # Every entity takes the next handle, so the new handle seed is known before writing.
    seed_tag = "$HANDSEED\n  5\n"
    at = template.index(seed_tag) + len(seed_tag)
    end = template.index("\n", at)
    handle = int(template[at:end], 16)
    seed = handle + count + count // 20

    marker = "  0\nSECTION\n  2\nENTITIES\n"
    split = template.index(marker) + len(marker)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(template[:at] + f"{seed:X}" + template[end:split])
        parts = []
        for k in range(count):
            pool = DOOR_TEXTS if rng.random() < 0.1 else OTHER_TEXTS
            text = rng.choice(pool).format(n=rng.randint(1, 999))
            x, y = (k % 1000) * 10.0, (k // 1000) * 10.0
            parts.append(text_tags(handle, owner, layers[k % LAYERS], x, y, text))
            handle += 1
            if k % 20 == 19:
                content = rng.choice(MTEXT_TEXTS).format(n=k)
                parts.append(mtext_tags(handle, owner, layers[k % LAYERS], x, y + 5, content))
                handle += 1
            if len(parts) >= 10000:
                out.write("".join(parts))
                parts.clear()
        out.write("".join(parts))
        out.write(template[split:])

if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    generate(int(sys.argv[1]), sys.argv[2])
