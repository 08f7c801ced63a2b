#!/usr/bin/env python3
"""Compiles the help sources (help/*.htm, help/*.css, Japanese, UTF-8) into the HTML help
file Mojiview.chm with chmcmd, and checks the result.

Each source page is the body of one page, beginning with its <h1> title; the pages are
completed here with the head (character set, title, style sheet) and, but for the main
page, a link back to it.

Usage: make_help.py SOURCE_DIR TOPICS_HEADER WORK_DIR OUTPUT_CHM [RESOURCE_SCRIPT...]

The table of contents (Mojiview.hhc) is made from each page's <title>, in the order of
index.htm's links, and written in code page 932, the code page of the help's language
(0x411). The build fails when a page links to a page that is not there, or when the
compiled file lacks one of the pages that TOPICS_HEADER (core/HelpTopic.h) lets the
programs open, or when a menu command of one of the RESOURCE_SCRIPTs (the programs' .rc
files, UTF-8) is named on no page. A command is named by its menu text without the access
key "(&X)", the "..." and the key after the tab; spaces do not count. The About command
counts under the text that the program shows (its string IDS_ABOUT_MENU_TEXT).
"""
import html
import os
import re
import shutil
import subprocess
import sys


PAGE = """<!DOCTYPE html>
<html lang="ja">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>{title}</title>
<link rel="stylesheet" href="help.css">
</head>
<body>
{body}{back}</body>
</html>
"""
BACK = '<p class="nav"><a href="index.htm">目次へ戻る</a></p>\n'


def title_of(text, name):
    match = re.match(r"\s*<h1>(.*?)</h1>", text, re.S)
    if not match:
        sys.exit(f"make_help: {name} does not begin with its <h1> title")
    return html.unescape(match.group(1).strip())


def menu_commands(script):
    """The names of the menu commands of a resource script, as the user reads them."""
    text = open(script, encoding="utf-8").read()
    about = re.search(r'^\s*IDS_ABOUT_MENU_TEXT\s+"([^"]*)"', text, re.M)
    names = []
    for label, command in re.findall(r'^\s*MENUITEM\s+"([^"]*)"\s*,\s*(\w+)', text, re.M):
        if command == "ID_APP_ABOUT" and about:
            label = about.group(1)
        label = label.split("\\t")[0]
        label = re.sub(r"\(&.\)|\.\.\.|&", "", label)
        names.append(label.strip())
    return names


def unnamed_commands(scripts, texts):
    """The menu commands of `scripts` that no page names (in the order of the scripts)."""
    words = "".join(re.sub(r"\s", "", html.unescape(re.sub(r"<[^>]*>", "", t))) for t in texts.values())
    missing = []
    for script in scripts:
        for name in menu_commands(script):
            if re.sub(r"\s", "", name) not in words and name not in missing:
                missing.append(name)
    return missing


def main():
    source, header, work, output = sys.argv[1:5]
    scripts = sys.argv[5:]
    pages = sorted(n for n in os.listdir(source) if n.endswith(".htm"))
    others = sorted(n for n in os.listdir(source) if n.endswith(".css"))
    texts = {n: open(os.path.join(source, n), encoding="utf-8").read() for n in pages}
    if "index.htm" not in texts:
        sys.exit("make_help: help/index.htm is missing")

    for name, text in texts.items():
        for target in re.findall(r'href="([^"#:]+)', text):
            if target not in texts and target not in others:
                sys.exit(f"make_help: {name} links to {target}, which is not in the help")

    unnamed = unnamed_commands(scripts, texts)
    if unnamed:
        sys.exit("make_help: no help page names the menu commands " + ", ".join(unnamed))

    # Contents: the main page, then the pages in the order index.htm links them.
    order = ["index.htm"]
    for target in re.findall(r'href="([^"#:]+\.htm)"', texts["index.htm"]):
        if target not in order:
            order.append(target)
    order += [n for n in pages if n not in order]

    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for name in others:
        shutil.copy(os.path.join(source, name), work)
    for name, text in texts.items():
        with open(os.path.join(work, name), "w", encoding="utf-8") as f:
            f.write(PAGE.format(title=html.escape(title_of(text, name)), body=text,
                                back="" if name == "index.htm" else BACK))
    items = "".join(
        f'<LI><OBJECT type="text/sitemap"><param name="Name" value="{html.escape(title_of(texts[n], n))}">'
        f'<param name="Local" value="{n}"></OBJECT>\n'
        for n in order)
    with open(os.path.join(work, "Mojiview.hhc"), "w", encoding="cp932", newline="\r\n") as f:
        f.write("<HTML><HEAD></HEAD><BODY>\n<UL>\n" + items + "</UL>\n</BODY></HTML>\n")
    with open(os.path.join(work, "Mojiview.hhp"), "w", encoding="cp932", newline="\r\n") as f:
        f.write("[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=Mojiview.chm\n"
                "Contents file=Mojiview.hhc\nDefault topic=index.htm\nDisplay compile progress=No\n"
                "Language=0x411 Japanese\nTitle=" + title_of(texts["index.htm"], "index.htm") + "\n\n[FILES]\n" +
                "".join(n + "\n" for n in pages + others))

    result = subprocess.run(["chmcmd", "Mojiview.hhp"], cwd=work, capture_output=True, text=True)
    compiled = os.path.join(work, "Mojiview.chm")
    if result.returncode != 0 or not os.path.isfile(compiled):
        sys.exit("make_help: chmcmd failed\n" + result.stdout + result.stderr)

    # Every page the programs open must be in the compiled file.
    listing = subprocess.run(["chmls", "list", compiled], capture_output=True, text=True, check=True).stdout
    stored = set(re.findall(r"/([\w.-]+\.htm)\b", listing))
    wanted = re.findall(r'u"([\w.-]+\.htm)"', open(header, encoding="utf-8").read())
    if not wanted:
        sys.exit(f"make_help: no help pages named in {header}")
    missing = [p for p in wanted if p not in stored]
    if missing:
        sys.exit("make_help: Mojiview.chm lacks the pages " + ", ".join(missing))

    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    shutil.copyfile(compiled, output)


if __name__ == "__main__":
    main()
