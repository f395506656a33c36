#!/usr/bin/env python3
"""Counts source and test lines (non-blank, non-comment) of the C++ tree and
fails when tests exceed the given share of the source (default 40 %)."""
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def count(folders):
    total = 0
    for folder in folders:
        for dirpath, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in names:
                if not name.endswith((".cpp", ".h")):
                    continue
                in_block = False
                with open(os.path.join(dirpath, name), errors="ignore") as f:
                    for line in f:
                        s = line.strip()
                        if not s:
                            continue
                        if in_block:
                            in_block = "*/" not in s
                            continue
                        if s.startswith("//"):
                            continue
                        if s.startswith("/*"):
                            in_block = "*/" not in s
                            continue
                        total += 1
    return total


source = count(["src", "app", "cli"])
tests = count(["tests"])
limit = float(sys.argv[1]) if len(sys.argv) > 1 else 0.40
share = tests / source if source else 0.0
print(f"source lines {source}, test lines {tests}: tests are {share:.1%} of the source (limit {limit:.0%})")
sys.exit(0 if share <= limit else 1)
