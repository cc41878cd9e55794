#!/usr/bin/env python3
"""Prints the medians of the benchmark's samples as a table, each program beside the bare
programs and its ratio to the bare program with the same imports.

    summarise.py SAMPLES.txt EXTRA_FONT_FILES
"""
import statistics
import sys

samples, faces, order = {}, "?", []
for line in open(sys.argv[1]):
    parts = line.rstrip("\n").split("\t")
    if len(parts) != 3:
        print(line, end="", file=sys.stderr)
        continue
    measure, label, value = parts
    if measure == "faces":
        faces = value
        continue
    if label not in order:
        order.append(label)
    samples.setdefault(measure, {}).setdefault(label, []).append(float(value))

measures = [("start", "Start to window painted (ms)", "bare-imports"),
            ("cpu", "Process CPU to painted (ms)", "bare-imports"),
            ("rss", "Resident memory after start (MB)", "bare-imports"),
            ("open", "Sheet opened to visible, warm (ms)", "bare-imports"),
            ("font", "Switch to the font page (ms)", "bare-imports"),
            ("close", "Sheet closed after the font page (ms)", "bare-imports")]
programs = [label for label in order if label not in ("bare", "bare-imports")]
print(f"{sys.argv[2]} extra font files, {faces} faces listed; medians of "
      f"{max((len(v) for m in samples.values() for v in m.values()), default=0)} samples at most")
header = ["measure", "bare", "bare-imports"] + programs + [f"{p} ratio" for p in programs]
print("| " + " | ".join(header) + " |")
print("|" + "---|" * len(header))
for key, title, reference in measures:
    row = samples.get(key, {})
    scale = 1 / 1048576 if key == "rss" else 1
    median = {label: statistics.median(values) * scale for label, values in row.items()}
    cells = [title] + [f"{median[label]:.1f}" if label in median else "-"
                       for label in ["bare", "bare-imports"] + programs]
    for program in programs:
        if program in median and median.get(reference):
            cells.append(f"{median[program] / median[reference]:.2f} (vs {reference})")
        else:
            cells.append("-")
    print("| " + " | ".join(cells) + " |")

# Where the resident memory differs: each mapping (file, program image, heap, anonymous memory)
# whose median differs from the bare window's with the same imports by 16 KB or more, in KB,
# and the rest together.
resident = {key[len("resident "):]: row for key, row in samples.items()
            if key.startswith("resident ")}
if resident and programs:
    def kilobytes(mapping, label):
        values = resident[mapping].get(label)
        return statistics.median(values) / 1024 if values else 0
    rows = [mapping for mapping in resident
            if any(abs(kilobytes(mapping, p) - kilobytes(mapping, "bare-imports")) >= 16
                   for p in programs)]
    rows.sort(key=lambda m: kilobytes(m, "bare-imports") - kilobytes(m, programs[-1]))
    header = ["resident KB by mapping", "bare-imports"] + programs + [f"{p} - bare-imports"
                                                                      for p in programs]
    print()
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for mapping in rows:
        cells = [mapping] + [f"{kilobytes(mapping, label):.0f}"
                             for label in ["bare-imports"] + programs]
        cells += [f"{kilobytes(mapping, p) - kilobytes(mapping, 'bare-imports'):+.0f}"
                  for p in programs]
        print("| " + " | ".join(cells) + " |")
    rest = {label: statistics.median(samples["rss"][label]) / 1024 -
            sum(kilobytes(m, label) for m in rows) for label in ["bare-imports"] + programs}
    cells = ["the other mappings"] + [f"{rest[label]:.0f}" for label in ["bare-imports"] + programs]
    cells += [f"{rest[p] - rest['bare-imports']:+.0f}" for p in programs]
    print("| " + " | ".join(cells) + " |")
