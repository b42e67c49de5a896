#!/usr/bin/env python3
"""Times the grid's CSV save and load beside Python's csv module.

Runs the grid_csv_bench benchmark of an optimised tree (scripts/bench builds
it) and then Python's csv module writing and reading the same 100,000 x 10
rows (made by the rule grid_csv_bench.cpp uses), code page 936, and prints the
figures side by side: on both sides the best of five runs, so that a busy
machine slows neither side's figure more than the other's.

    python3 bench/csv_compare.py [build/bench]
"""
import csv
import json
import os
import subprocess
import sys
import tempfile
import time

ROWS, COLS = 100000, 10
WORDS = ['中文', '表格', '数据', 'abc', 'hello world', '价格', '北京', 'x']


def shortest(value):
    """The number text the grid writes for a number: its shortest round trip."""
    return repr(float(value)) if value != int(value) else str(int(value))


def make_rows():
    rows = []
    for r in range(ROWS):
        row = []
        for c in range(COLS):
            kind = (r * COLS + c) % 5
            if kind == 0:
                row.append(str(r * COLS + c))
            elif kind == 1:
                row.append(WORDS[(r + c) % 8] + WORDS[c % 8])
            elif kind == 2:
                row.append('say "%d", ok' % r)
            elif kind == 3:
                row.append(shortest(r + c / 100.0))
            else:
                row.append(WORDS[r % 8])
        rows.append(row)
    return rows


def best_of(times, fn):
    best = None
    for _ in range(times):
        start = time.perf_counter()
        fn()
        elapsed = time.perf_counter() - start
        best = elapsed if best is None or elapsed < best else best
    return best


def main():
    tree = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'build', 'bench')
    binary = os.path.join(tree, 'bench', 'grid_csv_bench')
    grid = {}
    if os.path.exists(binary):
        out = subprocess.run([binary, '--benchmark_format=json'], check=True, capture_output=True, text=True).stdout
        # The best repetition of each, as Python's figures are its best run.
        for b in json.loads(out)['benchmarks']:
            if b.get('run_type', 'iteration') != 'iteration':
                continue
            seconds = b['real_time'] / 1000.0 if b['time_unit'] == 'ms' else b['real_time']
            name = b['name'].split('/')[0]
            grid[name] = min(grid.get(name, seconds), seconds)
    else:
        print('no %s: build it with scripts/bench first' % binary, file=sys.stderr)

    rows = make_rows()
    path = os.path.join(tempfile.gettempdir(), 'kivo_csv_python.csv')

    def write():
        with open(path, 'w', newline='', encoding='cp936') as f:
            csv.writer(f).writerows(rows)

    def read():
        with open(path, newline='', encoding='cp936') as f:
            return list(csv.reader(f))

    py_write = best_of(5, write)
    py_read = best_of(5, read)
    os.remove(path)

    print('%-28s %12s %12s' % ('100,000 x 10 CSV', 'grid (s)', 'python (s)'))
    print('%-28s %12s %12.3f' % ('save / write', '%.3f' % grid['BM_SaveCsvFile'] if 'BM_SaveCsvFile' in grid else '-',
                                 py_write))
    print('%-28s %12s %12.3f' % ('load / read', '%.3f' % grid['BM_LoadCsvFile'] if 'BM_LoadCsvFile' in grid else '-',
                                 py_read))


if __name__ == '__main__':
    main()
