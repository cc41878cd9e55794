#!/usr/bin/env python3
"""Prints the median number of wine server requests that the measured program made in each
sheet measure, from a trace of the server's requests (wineserver -d1) in which the driver
marked every measure with a "bench-mark begin|end MEASURE LABEL" atom. A program's requests
are those of its busiest thread in the measure: the one that runs its windows.

    server-calls.py TRACE.txt
"""
import collections
import re
import statistics
import sys

request = re.compile(r'^([0-9a-f]{4}): ([a-z_]+)\( (.*)')
mark = re.compile(r'name=L"bench-mark (begin|end) (\w+) (\S+)"')
counts, order = collections.defaultdict(list), []
driver, current, threads = None, None, collections.Counter()
with open(sys.argv[1], encoding="utf-8", errors="replace") as trace:
    for line in trace:
        found = request.match(line)
        if not found:
            continue
        thread, name, rest = found.groups()
        edge = mark.search(rest) if name == "add_atom" else None
        if edge:
            driver = thread
            if edge.group(1) == "begin":
                current, threads = edge.group(2, 3), collections.Counter()
            elif current:
                counts[current].append(max(threads.values(), default=0))
                current = None
            if edge.group(3) not in order:
                order.append(edge.group(3))
        elif current and thread != driver:
            threads[thread] += 1

print("| wine server requests (median) | " + " | ".join(order) + " |")
print("|" + "---|" * (len(order) + 1))
for measure in ("open", "font", "close"):
    cells = [f"{statistics.median(counts[(measure, label)]):.0f}"
             if counts[(measure, label)] else "-" for label in order]
    print(f"| {measure} | " + " | ".join(cells) + " |")
