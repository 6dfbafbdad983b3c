#!/usr/bin/python3
"""Generates the test material of bench/links (nothing is committed; it is made at run time).

  make_site.py site DIR [PAGES]            a site of PAGES pages (default 10000) in nested
                                           folders, top page DIR/index.html
  make_site.py page DIR MEGABYTES LINKS    one large page DIR/big.html with LINKS references,
                                           padded to MEGABYTES, beside the files it refers to

Site pages carry about 40 references each in the exact forms: links to other pages (some
written with "./" or in upper case), fragments to anchors that exist (as <a name> and as id)
and to one that does not, fragment-only links, missing files, web and mail addresses, pictures
and, now and then, a frame. One page in ten is Shift-JIS, some of them named in Japanese.
Every page is reachable from the top page. The output is the same for the same arguments.
"""

import os
import random
import sys

FILLER_EN = "The quick brown fox jumps over the lazy dog while the site keeps growing. "
FILLER_JA = "これは日本語の文章です。リンクの検査に使うページの本文です。"


def page_name(i):
    if i == 0:
        return "index.html"
    if i % 50 == 7:
        return "ページ%d.html" % i
    return "p%d.html" % i


def page_folder(i):
    if i == 0:
        return ""
    if i % 3 == 0:
        return "f%d" % (i % 10)
    return "f%d/g%d" % (i % 10, (i // 10) % 10)


def page_path(i):
    folder = page_folder(i)
    return os.path.join(folder, page_name(i)) if folder else page_name(i)


def relative(from_page, to_file):
    return os.path.relpath(to_file, os.path.dirname(from_page) or ".")


def make_site(root, pages):
    rnd = random.Random(10)
    os.makedirs(os.path.join(root, "img"), exist_ok=True)
    for k in range(50):
        with open(os.path.join(root, "img", "i%d.gif" % k), "wb") as f:
            f.write(b"GIF89a\x01\x00\x01\x00\x00\x00\x00;")
    for i in range(pages):
        me = page_path(i)
        sjis = i % 10 == 4
        filler = FILLER_JA if sjis else FILLER_EN
        refs = []
        for child in (2 * i + 1, 2 * i + 2):
            if child < pages:
                refs.append('<a href="%s">child</a>' % relative(me, page_path(child)))
        for _ in range(18):
            target = relative(me, page_path(rnd.randrange(pages)))
            if rnd.random() < 0.1:
                target = "./" + target
            opening = "<A HREF=" if rnd.random() < 0.1 else "<a href="
            refs.append('%s"%s">page</a>' % (opening, target))
        for _ in range(5):
            refs.append('<a href="%s#s%d">part</a>' % (relative(me, page_path(rnd.randrange(pages))),
                                                       rnd.randrange(1, 6)))
        refs.append('<a href="%s#nowhere">gone part</a>' % relative(me, page_path(rnd.randrange(pages))))
        refs.append('<a href="#s2">up</a>')
        for _ in range(3):
            refs.append('<a href="gone%d.html">gone</a>' % rnd.randrange(1000))
        refs.append('<a href="http://example.com/%d">web</a>' % i)
        refs.append('<a href="https://example.org/p%d">secure</a>' % i)
        refs.append('<a href="mailto:webmaster@example.com">mail</a>')
        refs.append('<a href="HTTP://EXAMPLE.NET/">upper</a>')
        rnd.shuffle(refs)
        # Pictures come after the last link: the exact-form scan takes them only from there.
        for _ in range(4):
            refs.append('<img src="%s">' % relative(me, "img/i%d.gif" % rnd.randrange(50)))
        refs.append('<img src="%s">' % relative(me, "img/missing.gif"))
        if i % 100 == 1:
            refs.append('<frame src="%s">' % relative(me, page_path(rnd.randrange(pages))))
        head = ('<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">' if sjis
                else '<meta charset="utf-8">')
        body = ["<html><head>%s<title>Page %d</title></head><body>" % (head, i),
                '<h1 id="top">Page %d</h1>' % i]
        for k in range(1, 6):
            anchor = '<a name="s%d"></a>' % k if k % 2 else '<h2 id="s%d">Part %d</h2>' % (k, k)
            body.append(anchor)
            body.append("<p>" + filler * 2 + "</p>")
            body.extend("<p>%s %s</p>" % (filler, r) for r in refs[(k - 1) * len(refs) // 5:k * len(refs) // 5])
        body.append("</body></html>\n")
        text = "\n".join(body)
        path = os.path.join(root, me)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text.encode("cp932" if sjis else "utf-8"))


def make_big_page(root, megabytes, links):
    rnd = random.Random(20)
    os.makedirs(os.path.join(root, "t"), exist_ok=True)
    targets = []
    for k in range(1000):
        name = "t/f%d%s" % (k, (".gif", ".png", ".css", ".pdf", ".txt")[k % 5])
        targets.append(name)
        with open(os.path.join(root, name), "wb") as f:
            f.write(b"x")
    for k in range(10):
        with open(os.path.join(root, "t", "leaf%d.html" % k), "w") as f:
            f.write('<html><body><a name="a1"></a><h2 id="a2">Leaf</h2></body></html>\n')
    target_size = megabytes * 1000 * 1000
    per_link = target_size // links
    parts = []
    size = 0
    anchors = 0
    for n in range(links):
        r = rnd.random()
        if r < 0.55:
            ref = '<a href="%s">' % targets[rnd.randrange(len(targets))]
        elif r < 0.62:
            ref = '<a href="t/leaf%d.html#a%d">' % (rnd.randrange(10), rnd.randrange(1, 3))
        elif r < 0.72:
            ref = '<a href="#a%d">' % rnd.randrange(max(anchors, 1))
        elif r < 0.80:
            ref = '<a href="t/gone%d.html">' % rnd.randrange(1000)
        elif r < 0.90:
            ref = '<a href="https://example.com/%d">' % n
        else:
            ref = '<a href="http://example.org/%d">' % n
        if n % 20 == 0:
            ref = '<a name="a%d"></a>' % anchors + ref
            anchors += 1
        line = "<p>" + ref + "link</a> "
        pad = per_link - len(line) - 5
        line += (FILLER_EN * (pad // len(FILLER_EN) + 1))[:max(pad, 0)] + "</p>\n"
        parts.append(line)
        size += len(line)
    with open(os.path.join(root, "big.html"), "w") as f:
        f.write("<html><body>\n")
        f.writelines(parts)
        f.write("</body></html>\n")


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "site":
        make_site(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 10000)
    elif len(sys.argv) == 5 and sys.argv[1] == "page":
        make_big_page(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
