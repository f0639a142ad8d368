#!/usr/bin/env python3
"""Writes COUNT typical inputs of korimbo-convert, one per line, to standard output (UTF-8).

A fixed mix: a quarter each of plain http addresses and of thunder://, Flashget:// and qqdl://
links, built from addresses of about 60 bytes, one in ten with a Chinese file name. The same
COUNT gives the same lines every time.
"""
import base64
import random
import sys

HOSTS = ["dl.example.com", "down3.example-mirror.net", "files.example.org", "cdn7.example.cn"]
DIRS = ["pub/tools", "soft/2024/06", "releases/v2", "movies/hd", "music/album12"]
NAMES = ["setup", "korimbo-portable", "driver_pack", "game.client", "archive-part", "update"]
CHINESE = ["软件", "电影", "下载中心", "音乐合集", "中文版"]
EXTS = ["zip", "rar", "exe", "7z", "mkv", "iso"]


def address(rng):
    name = rng.choice(CHINESE) if rng.random() < 0.1 else rng.choice(NAMES)
    text = "http://%s/%s/%s-%d.%s" % (rng.choice(HOSTS), rng.choice(DIRS), name, rng.randrange(10**6),
                                      rng.choice(EXTS))
    # Pad the path to about 60 bytes with a version part.
    while len(text.encode("gbk")) < 56:
        text = text.replace("-", "-%d." % rng.randrange(10), 1)
    return text


def link(rng, real):
    raw = real.encode("gbk")
    form = rng.randrange(4)
    if form == 1:
        return "thunder://" + base64.b64encode(b"AA" + raw + b"ZZ").decode("ascii")
    if form == 2:
        wrapped = b"[FLASHGET]" + raw + b"[FLASHGET]"
        return "Flashget://" + base64.b64encode(wrapped).decode("ascii") + "&1926"
    if form == 3:
        return "qqdl://" + base64.b64encode(raw).decode("ascii")
    return real


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000000
    rng = random.Random(count)
    lines = [link(rng, address(rng)) for _ in range(count)]
    lines.append("")
    sys.stdout.buffer.write("\n".join(lines).encode("utf-8"))


if __name__ == "__main__":
    main()
