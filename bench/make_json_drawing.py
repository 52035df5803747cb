#!/usr/bin/env python3
"""Writes a cadhost JSON drawing of N plain texts for the drawing-file benchmark.

One text in ten holds "door" in some letter case; the rest are drawing notes without it. The
texts come from a fixed seed, so every run measures the same drawing.

usage: make_json_drawing.py N FILE
"""
import json
import random
import sys

WORDS = ["Room", "Wall", "Window", "Stair", "Level", "Beam", "Column", "Duct", "Note", "See",
         "detail", "typ.", "fire", "rated", "glazing", "frame", "finish", "oak", "steel",
         "corridor", "north", "south", "east", "west", "to", "match", "existing"]
DOORS = ["Door", "door", "DOOR", "dOOr"]
LAYERS = 10


def text(rng, with_door):
    words = [rng.choice(WORDS) for _ in range(rng.randint(2, 5))]
    if with_door:
        words.insert(rng.randint(0, len(words)), rng.choice(DOORS))
    words.append(str(rng.randint(1, 999)))
    return " ".join(words)


def main():
    count = int(sys.argv[1])
    rng = random.Random(20240611)
    layers = [{"name": f"Layer {i}", "entities": []} for i in range(LAYERS)]
    for i in range(count):
        layers[i % LAYERS]["entities"].append(
            {"type": "text", "text": text(rng, i % 10 == 0),
             "at": [round(rng.uniform(0, 500), 3), round(rng.uniform(0, 500), 3)],
             "size": 2.5})
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        json.dump({"version": 1, "layers": layers}, out, ensure_ascii=False,
                  separators=(",", ":"))


if __name__ == "__main__":
    main()
