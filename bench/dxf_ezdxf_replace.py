#!/usr/bin/python3
"""The DXF benchmark's job done with ezdxf: load the drawing, replace "door" by "gate" without
regard to case in every TEXT entity, save.

    dxf_ezdxf_replace.py IN.dxf OUT.dxf
"""
import re
import sys

import ezdxf

DOOR = re.compile("door", re.IGNORECASE)


def main(source, target):
    doc = ezdxf.readfile(source)
    count = 0
    for text in doc.modelspace().query("TEXT"):
        new, n = DOOR.subn("gate", text.dxf.text)
        if n:
            text.dxf.text = new
            count += n
    doc.saveas(target)
    print(f"{count} replacements")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
