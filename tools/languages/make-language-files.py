#!/usr/bin/env python3
"""Writes the shipped language files Languages/<code>.lang from the UTF-8 sources beside this
script: UTF-16 little-endian with a byte-order mark and CRLF lines, which the wide profile-string
functions read on every system whatever its ANSI code page."""
import pathlib

here = pathlib.Path(__file__).resolve().parent
target = here.parent.parent / "Languages"
target.mkdir(exist_ok=True)
for source in sorted(here.glob("*.lang.txt")):
    text = source.read_text(encoding="utf-8").replace("\r\n", "\n").replace("\n", "\r\n")
    (target / source.name[: -len(".txt")]).write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))
