#!/usr/bin/env python3
"""The log page's work written plainly in Python, to compare the program with,
from the device's answer to the lines the page shows: the status line (the
answer's first 110 characters), the split at "|", field 5 decoded from Base64,
the log cut at its first NUL and split into lines; for the SuperLog view also
the last block, each line without the CR of a CR LF line end and without its
time, source and level ("AAAAMMDDhhmmss|source|level|", else its first 24
bytes), decoded from UTF-8.

Usage: python_log_pipeline.py ANSWER_FILE REPETITIONS
Prints one JSON object: the best time of the repetitions for each view and
what was found."""
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
STATUS_LIMIT = 110
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


def log_lines(answer):
    """The status line, and the log's lines from the answer's field 5."""
    status = answer[: 4 * (STATUS_LIMIT + 2)].decode("utf-8", "replace")[:STATUS_LIMIT]
    field = answer.split(b"|")[5]
    log = base64.b64decode(field).split(b"\0", 1)[0]
    return status, log, log.split(b"\n")


def whole_log(answer):
    _, log, lines = log_lines(answer)
    return len(log), len(lines)


def super_log(answer):
    _, _, lines = log_lines(answer)
    return len(last_super_log(lines))


def best_seconds(repetitions, step, answer):
    best = float("inf")
    for _ in range(repetitions):
        start = time.perf_counter()
        found = step(answer)
        best = min(best, time.perf_counter() - start)
    return best, found


def main():
    with open(sys.argv[1], "rb") as file:
        answer = file.read()
    repetitions = int(sys.argv[2])
    superlog_seconds, superlog_lines = best_seconds(repetitions, super_log, answer)
    whole_seconds, (log_bytes, log_lines_found) = best_seconds(repetitions, whole_log, answer)
    print(json.dumps({"whole_log_seconds": whole_seconds, "superlog_seconds": superlog_seconds,
                      "log_bytes": log_bytes, "log_lines": log_lines_found,
                      "superlog_lines": superlog_lines}))


if __name__ == "__main__":
    main()
