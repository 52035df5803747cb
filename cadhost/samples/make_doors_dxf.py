#!/usr/bin/python3
"""Writes doors.dxf, the sample DXF drawing of cadhost's scenarios, with ezdxf.

    make_doors_dxf.py [OUT.dxf]
"""
import sys

import ezdxf


def make(path):
    doc = ezdxf.new("R2010")
    doc.header["$CLAYER"] = "Doors"
    doc.layers.add("Doors", color=3)
    doc.layers.add("Notes", color=4)
    existing = doc.layers.add("Existing", color=8)
    existing.lock()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (40, 0), (40, 30), (0, 30)], close=True,
                       dxfattribs={"layer": "Walls"})
    msp.add_line((20, 0), (20, 30), dxfattribs={"layer": "Walls"})
    msp.add_text("Door 101", dxfattribs={"layer": "Doors", "height": 1.5}).set_placement((2, 27))
    msp.add_text("DOOR 102", dxfattribs={"layer": "Doors", "height": 1.5,
                                         "rotation": 90}).set_placement((22, 5))
    msp.add_text("Tür 3", dxfattribs={"layer": "Doors", "height": 1.5}).set_placement((2, 3))
    msp.add_text("門 door 4", dxfattribs={"layer": "Doors", "height": 1.5}).set_placement((30, 3))
    msp.add_text("Door 99", dxfattribs={"layer": "Existing", "height": 1.5}).set_placement((30, 27))
    msp.add_mtext("Back door\\Pnext to the {\\fArial|b1;stair}",
                  dxfattribs={"layer": "Notes", "char_height": 1, "insert": (2, 20)})
    tag = doc.blocks.new("DOORTAG")
    tag.add_circle((0, 0), 1)
    tag.add_attdef("NUMBER", (0, 0), dxfattribs={"height": 0.8})
    insert = msp.add_blockref("DOORTAG", (10, 27), dxfattribs={"layer": "Doors"})
    insert.add_attrib("NUMBER", "door D-7", (10, 27), dxfattribs={"height": 0.8})
    doc.saveas(path)


if __name__ == "__main__":
    make(sys.argv[1] if len(sys.argv) > 1 else "doors.dxf")
