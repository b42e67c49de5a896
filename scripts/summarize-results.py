#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of one test tree into 'N passed, M failed'.

A test binary that ctest knows but that left no report (it crashed or was
killed before writing one) counts as one failed test, so a crash can never
look like success.
"""
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

tree, results = sys.argv[1], sys.argv[2]
passed = failed = skipped = 0
reported = set()
failures = []   # (name, first lines of the message): named in the closing line
for path in glob.glob(os.path.join(results, "*.xml")):
    name = os.path.splitext(os.path.basename(path))[0]
    reported.add(name)
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        failed += 1
        continue
    for case in root.iter("testcase"):
        problem = case.find("failure")
        if problem is None:
            problem = case.find("error")
        if problem is not None:
            failed += 1
            text = (problem.get("message") or problem.text or "").strip()
            failures.append((f"{case.get('classname')}.{case.get('name')}", text[:600]))
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        elif case.get("status", "run") == "run":
            passed += 1

# The tests ctest registered: every add_test of the tree.
expected = set()
for ctest_file in glob.glob(os.path.join(tree, "**", "CTestTestfile.cmake"), recursive=True):
    with open(ctest_file, encoding="utf-8", errors="replace") as f:
        expected.update(re.findall(r'add_test\((?:\[=\[)?([A-Za-z0-9_.-]+)', f.read()))
missing = sorted(expected - reported)
failed += len(missing)
for m in missing:
    print(f"no report from {m}", file=sys.stderr)

line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
# The failed tests by name in the closing line, and what each said, so a run
# whose long output is cut still tells which tests failed and why.
if failures or missing:
    line += " (failed: " + ", ".join([n for n, _ in failures] + missing) + ")"
for name, text in failures:
    print(f"FAILED {name}: {text}", file=sys.stderr)
print(line)
sys.exit(1 if failed else 0)
