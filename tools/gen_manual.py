#!/usr/bin/env python3
"""One source per program gives both its man page and its --help text.

Source: "name:" and "summary:" lines, then "# HEADING (flags)" sections. Flag "list" makes a
section term/description pairs (descriptions indented by two spaces); flag "help" puts it in
--help too. SYNOPSIS is always in both; other sections are paragraphs split by blank lines.

usage: gen_manual.py SOURCE OUT_DIR VERSION DATE
writes OUT_DIR/NAME.1, OUT_DIR/NAME.1.gz and OUT_DIR/NAME_help.h
"""
import gzip
import re
import sys
import textwrap

HELP_WIDTH = 100


def parse(text):
    meta, sections, current = {}, [], None
    for line in text.splitlines():
        heading = re.match(r"^# (.+?)(?: \((.*)\))?$", line)
        if heading:
            flags = {f.strip() for f in (heading.group(2) or "").split(",") if f.strip()}
            current = {"title": heading.group(1), "flags": flags, "lines": []}
            sections.append(current)
        elif current is None:
            key, sep, value = line.partition(":")
            if sep:
                meta[key.strip()] = value.strip()
        else:
            current["lines"].append(line)
    return meta, sections


def paragraphs(lines):
    found, block = [], []
    for line in lines + [""]:
        if line.strip():
            block.append(line.strip())
        elif block:
            found.append(" ".join(block))
            block = []
    return found


def entries(lines):
    found = []
    for line in lines:
        if not line.strip():
            continue
        if line.startswith("  "):
            found[-1][1].append(line.strip())
        else:
            found.append((line.strip(), []))
    return [(term, " ".join(words)) for term, words in found]


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def man_page(meta, sections, version, date):
    name = meta["name"]
    out = [f'.TH {name.upper()} 1 "{date}" "q7config {version}" "User Commands"',
           ".SH NAME", f"{roff(name)} \\- {roff(meta['summary'])}"]
    for section in sections:
        out.append(f".SH {section['title']}")
        if section["title"] == "SYNOPSIS":
            for line in (l for l in section["lines"] if l.strip()):
                out += [".nf" if line is section["lines"][0] else ".br", roff(line)]
            out.append(".fi")
        elif "list" in section["flags"]:
            for term, description in entries(section["lines"]):
                out += [".TP", f"\\fB{roff(term)}\\fR", roff(description)]
        else:
            for i, paragraph in enumerate(paragraphs(section["lines"])):
                if i:
                    out.append(".PP")
                out.append(roff(paragraph))
    return "\n".join(out) + "\n"


def help_text(meta, sections):
    out = []
    for section in sections:
        lines = [l for l in section["lines"] if l.strip()]
        if section["title"] == "SYNOPSIS":
            out += [("usage: " if i == 0 else "       ") + l for i, l in enumerate(lines)]
        elif "help" in section["flags"]:
            out.append("")
            if "list" in section["flags"]:
                pairs = entries(section["lines"])
                width = max(len(term) for term, _ in pairs) + 2
                out.append(section["title"].capitalize() + ":")
                for term, text in pairs:
                    # A long term gets its description on the lines below it.
                    column = min(width, 24) + 2
                    lines = textwrap.wrap(text, HELP_WIDTH - column, break_on_hyphens=False) or [""]
                    if len(term) >= column - 2:
                        out.append(f"  {term}")
                    else:
                        out.append(f"  {term.ljust(column - 2)}{lines.pop(0)}")
                    out += [" " * column + line for line in lines]
            else:
                out += [textwrap.fill(p, HELP_WIDTH, break_on_hyphens=False)
                        for p in paragraphs(section["lines"])]
    return "\n".join(out) + "\n"


def c_string(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"')
    return "\n".join(f'    "{line}\\n"' for line in escaped.splitlines())


def main():
    source, out_dir, version, date = sys.argv[1:5]
    with open(source, encoding="utf-8") as f:
        meta, sections = parse(f.read())
    name = meta["name"]
    page = man_page(meta, sections, version, date).encode()
    with open(f"{out_dir}/{name}.1", "wb") as f:
        f.write(page)
    # -9n: no name or time in the header, as Debian wants for reproducible packages.
    with open(f"{out_dir}/{name}.1.gz", "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as f:
            f.write(page)
    with open(f"{out_dir}/{name}_help.h", "w", encoding="utf-8") as f:
        f.write("// Generated from packaging/manual/%s.txt by tools/gen_manual.py.\n" % name)
        f.write("#pragma once\n\nnamespace Manual {\n")
        f.write(f"inline constexpr char {name}Help[] =\n{c_string(help_text(meta, sections))};\n")
        f.write("} // namespace Manual\n")


if __name__ == "__main__":
    main()
