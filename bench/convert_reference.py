#!/usr/bin/env python3
"""The three conversions of korimbo-convert --format json, written plainly in Python.

compare.sh times this against korimbo-convert. It reads one address or link per line of standard
input (UTF-8), works on the GBK bytes of each line as the converter does, and prints the same
JSON object per line: the input recognised by its prefix, the real address decoded from a link,
and the other forms built from it. It uses the standard library's base64, which is strict where
korimbo's decoder is tolerant, so the two agree on well-formed links only.
"""
import base64
import binascii
import json
import sys

MARKERS = (b"http://", b"thunder://", b"Flashget://", b"qqdl://")
FAILED = "转换失败"


def thunder(real):
    return b"thunder://" + base64.b64encode(b"AA" + real + b"ZZ")


def flashget(real):
    return b"Flashget://" + base64.b64encode(b"[FLASHGET]" + real + b"[FLASHGET]") + b"&1926"


def qqdl(real):
    return b"qqdl://" + base64.b64encode(real)


def decode(payload):
    try:
        data = base64.b64decode(payload)
    except (binascii.Error, ValueError):
        data = b""
    return data.split(b"\0", 1)[0]


def strip(data, marker_length):
    kept = len(data) - 2 * marker_length
    return data[marker_length:marker_length + kept] if kept > 0 else b""


def forms(line):
    """The four forms of one input in GBK, or None when it is empty or not recognised."""
    if not line:
        return None
    if not any(marker in line for marker in MARKERS):
        return line, thunder(line), flashget(line), qqdl(line)
    if line.startswith(b"http://"):
        return line, thunder(line), flashget(line), qqdl(line)
    if line.startswith(b"thunder://"):
        real = strip(decode(line[10:]), 2)
        return real, line, flashget(real), qqdl(real)
    if line.startswith(b"Flashget://"):
        real = strip(decode(line[11:].split(b"&", 1)[0]), 10)
        return real, thunder(real), line, qqdl(real)
    if line.startswith(b"qqdl://"):
        real = decode(line[7:])
        return real, thunder(real), flashget(real), line
    return None


def main():
    out = []
    for text in sys.stdin.buffer.read().decode("utf-8").split("\n")[:-1]:
        if text.endswith("\r"):
            text = text[:-1]
        result = forms(text.encode("gbk"))
        record = {"input": text, "ok": result is not None}
        names = ("real", "thunder", "flashget", "qqdl")
        for name, form in zip(names, result or (None,) * 4):
            record[name] = form.decode("gbk", "replace") if form is not None else FAILED
        out.append(json.dumps(record, ensure_ascii=False))
    out.append("")
    sys.stdout.buffer.write("\n".join(out).encode("utf-8"))


if __name__ == "__main__":
    main()
