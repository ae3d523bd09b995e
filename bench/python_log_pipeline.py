#!/usr/bin/env python3
"""The log page's work written plainly in Python, to compare the program with:
decode the answer's Base64 field, cut the log at its first NUL, split it into
lines and keep the last SuperLog block, each line without the CR of a CR LF
line end and without its time, source and level ("AAAAMMDDhhmmss|source|level|",
else its first 24 bytes).

Usage: python_log_pipeline.py ANSWER_FILE REPETITIONS
Prints one JSON object: the best time of the repetitions and what was found."""
import base64
import json
import re
import sys
import time

START_MARKERS = (
    b"SAT|info|================= SuperLog MIREL ==================",
    b"SAT|info|==================== SuperLog =====================",
)
END_MARKER = b"SAT|info|" + b"=" * 51
LINE_PREFIX = 24
TIME_SOURCE_LEVEL = re.compile(rb"[0-9]{14}\|[-_A-Za-z0-9]+\|[-_A-Za-z0-9]+\|")


def shown(line):
    line = line[:-1] if line.endswith(b"\r") else line
    prefix = TIME_SOURCE_LEVEL.match(line)
    text = line[prefix.end():] if prefix else line[LINE_PREFIX:]
    return "   " + text.decode("utf-8", "replace")


def last_super_log(lines):
    for start in range(len(lines) - 1, -1, -1):
        if any(marker in lines[start] for marker in START_MARKERS):
            break
    else:
        return []
    for end in range(start, len(lines)):
        if END_MARKER in lines[end]:
            block = lines[start : end + 1]
            return [shown(line) for line in block]
    return []


def log_page(field):
    log = base64.b64decode(field).split(b"\0", 1)[0]
    return len(log), last_super_log(log.split(b"\n"))


def main():
    with open(sys.argv[1], "rb") as answer:
        field = answer.read().split(b"|")[5]
    best = float("inf")
    for _ in range(int(sys.argv[2])):
        start = time.perf_counter()
        log_bytes, super_log = log_page(field)
        best = min(best, time.perf_counter() - start)
    print(json.dumps({"seconds": best, "log_bytes": log_bytes, "superlog_lines": len(super_log)}))


if __name__ == "__main__":
    main()
