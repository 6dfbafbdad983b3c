#!/usr/bin/python3
"""Writes the user tag group "HTML5" that comes with the program: html5/usertag.lst, which
names the group, and html5/HTML5.tag, one pair of lines per tag (its name, then
"User<i>=[<template>]"), CR LF, Shift-JIS (CP932) when every character has a form there,
else UTF-8 with a byte order mark. Run it from anywhere; it writes beside itself:
    python3 data/make-html5-group.py

It holds the HTML5 elements the built-in pages lack. Templates are written in lower case
(the palette's letter case setting converts them); "%SEL%" is the selected text, "%CR%" a
line break. Empty elements (meta) come first and keep the selection after them; an address
selected in the editor becomes the src of an image, a video or an audio.
"""

import os

GROUP = "HTML5"
VIEWPORT = '<meta name="viewport" content="width=device-width, initial-scale=1">'

# (tag name: the caption of its menu items and button, template)
TAGS = [
    ("DOCTYPE", '<!DOCTYPE html>%CR%<html lang="ja">%CR%%SEL%%CR%</html>%CR%'),
    ("charset", '<meta charset="utf-8">%CR%%SEL%'),
    ("viewport", VIEWPORT + "%CR%%SEL%"),
    ("header", "<header>%CR%%SEL%%CR%</header>%CR%"),
    ("nav", "<nav>%CR%%SEL%%CR%</nav>%CR%"),
    ("main", "<main>%CR%%SEL%%CR%</main>%CR%"),
    ("article", "<article>%CR%%SEL%%CR%</article>%CR%"),
    ("section", "<section>%CR%%SEL%%CR%</section>%CR%"),
    ("aside", "<aside>%CR%%SEL%%CR%</aside>%CR%"),
    ("footer", "<footer>%CR%%SEL%%CR%</footer>%CR%"),
    ("figure", "<figure>%CR%%SEL%%CR%<figcaption></figcaption>%CR%</figure>%CR%"),
    ("picture", '<picture>%CR%<source srcset="%SEL%" media="(min-width: 800px)">%CR%'
                '<img src="%SEL%" alt="">%CR%</picture>%CR%'),
    ("video", '<video src="%SEL%" controls></video>'),
    ("audio", '<audio src="%SEL%" controls></audio>'),
    ("details", "<details>%CR%<summary>%SEL%</summary>%CR%%CR%</details>%CR%"),
    ("dialog", "<dialog>%CR%%SEL%%CR%</dialog>%CR%"),
    ("mark", "<mark>%SEL%</mark>"),
    ("time", '<time datetime="%SEL%">%SEL%</time>'),
    ("img", '<img src="%SEL%" alt="" loading="lazy" width="" height="">'),
]


def encode(lines):
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("cp932")
    except UnicodeEncodeError:
        return text.encode("utf-8-sig")


def write(name, lines):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "html5", name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(encode(lines))


if __name__ == "__main__":
    for name, template in TAGS:
        # A name with "=" would be read as a data line, one with "]" cut at it.
        assert "=" not in name and "]" not in name and ";" not in name, name
        assert "\r" not in template and "\n" not in template, template
    write("usertag.lst", [GROUP])
    group = []
    for i, (name, template) in enumerate(TAGS):
        group += [name, "User%d=[%s]" % (i, template)]
    write(GROUP + ".tag", group)
