#!/usr/bin/env python3
"""Counts test cases over the result folders of one or more build trees.

Every GoogleTest program writes its own XML; ctest's JUnit file covers the
other tests (seed replays, end-to-end scripts) and catches programs that
crashed before writing theirs. Prints "N passed, N failed"; exits 1 on any
failure.
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


# The GoogleTest programs; each must leave its XML behind.
GTEST_PREFIX = "kva_tests"


def gtest_counts(path):
    root = ET.parse(path).getroot()
    tests = int(root.get("tests", 0)) - int(root.get("disabled", 0))
    failed = int(root.get("failures", 0)) + int(root.get("errors", 0))
    skipped = sum(1 for _ in root.iter("skipped"))
    return tests - failed - skipped, failed


def main(folders):
    passed = failed = 0
    for folder in map(Path, folders):
        gtest_programs = set()
        for xml in folder.glob("*.xml"):
            if xml.name == "ctest.xml":
                continue
            p, f = gtest_counts(xml)
            passed += p
            failed += f
            gtest_programs.add(xml.stem)
        ctest = folder / "ctest.xml"
        if not ctest.exists():
            failed += 1
            continue
        for case in ET.parse(ctest).getroot().iter("testcase"):
            ok = case.get("status") in ("run", "pass", None) and case.find("failure") is None
            name = case.get("name", "")
            if name in gtest_programs:
                failed += 0 if ok else 1  # the program failed beyond its cases
            elif name.startswith(GTEST_PREFIX):
                print(f"{folder}: {name} wrote no results")
                failed += 1
            else:
                passed, failed = (passed + 1, failed) if ok else (passed, failed + 1)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
