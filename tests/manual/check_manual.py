#!/usr/bin/env python3
"""Checks the user manual against the program.

- every internal link (href and src) of every page resolves to an existing file, and every
  #fragment to an id on the target page;
- the calculator examples, fed in order to pavra-calc, give exactly the answers the manual shows.

Usage: check_manual.py MANUAL_DIR PAVRA_CALC
"""
import html.parser
import pathlib
import subprocess
import sys


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.ids, self.examples = [], set(), []
        self._cell = None  # "in" / "out" while inside an example's code cell
        self._row = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        for key in ("href", "src"):
            if key in a:
                self.links.append(a[key])
        if tag == "tr" and a.get("class") == "example":
            self._row = {"in": "", "out": ""}
        if tag == "code" and self._row is not None and a.get("class") in ("in", "out"):
            self._cell = a["class"]

    def handle_endtag(self, tag):
        if tag == "code":
            self._cell = None
        if tag == "tr" and self._row is not None:
            self.examples.append((self._row["in"], self._row["out"]))
            self._row = None

    def handle_data(self, data):
        if self._cell:
            self._row[self._cell] += data


def parse(path):
    page = Page()
    page.feed(path.read_text(encoding="utf-8"))
    return page


def check_links(root):
    faults = []
    pages = {p: parse(p) for p in root.rglob("*.html")}
    for path, page in pages.items():
        for link in page.links:
            if "://" in link or link.startswith("mailto:"):
                continue
            target, _, fragment = link.partition("#")
            file = (path.parent / target).resolve() if target else path.resolve()
            if not file.exists():
                faults.append(f"{path.name}: broken link {link}")
            elif fragment and file.suffix == ".html" and fragment not in parse(file).ids:
                faults.append(f"{path.name}: no id {fragment} in {file.name}")
    return pages, faults


def check_examples(pages, calc):
    examples = [e for page in pages.values() for e in page.examples]
    if not examples:
        return ["no calculator examples found in the manual"], 0
    lines = "".join(inp + "\n" for inp, _ in examples)
    run = subprocess.run([calc], input=lines.encode("utf-8"), capture_output=True, timeout=60)
    got = run.stdout.decode("utf-8").splitlines()
    faults = []
    for i, (inp, want) in enumerate(examples):
        have = got[i] if i < len(got) else "<no output>"
        if have != want:
            faults.append(f"example {inp!r}: manual says {want!r}, pavra-calc says {have!r}")
    return faults, len(examples)


def main():
    root, calc = pathlib.Path(sys.argv[1]), sys.argv[2]
    pages, faults = check_links(root)
    example_faults, count = check_examples(pages, calc)
    faults += example_faults
    for f in faults:
        print("FAIL:", f)
    print(f"manual: {len(pages)} pages, {count} calculator examples checked")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
