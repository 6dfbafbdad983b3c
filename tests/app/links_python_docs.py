#!/usr/bin/python3
"""orvanel links on a real site, Python's HTML documentation (Debian's python3-doc): every
page reachable from the top page is scanned; no address with a scheme ("https:", "mailto:")
is reported broken; every file reported missing is really not there, and every fragment
reported missing is really not defined in its page (neither as <a name> nor as an id)."""

import json, os, re, subprocess, sys

TOP = "/usr/share/doc/python3-doc/html/index.html"
if not os.path.isfile(TOP):
    sys.exit("FAIL: %s is missing (scripts/install-deps.sh test installs python3-doc)" % TOP)
run = subprocess.run([os.environ["ORVANEL_BIN"], "links", "--json", TOP], capture_output=True, text=True)
report = json.loads(run.stdout)
failures = [] if run.returncode in (0, 1) and not run.stderr else ["status %d, %r" % (run.returncode, run.stderr)]
if len(report["pages"]) < 400:
    failures.append("only %d pages scanned" % len(report["pages"]))
for broken in report["broken"]:
    written, target = broken["written"], broken["target"]
    if re.match(r"[A-Za-z][A-Za-z0-9+.-]+:", written):
        failures.append("an address reported broken: %r" % broken)
    elif broken["reason"] == "missing" and os.path.isfile(target):
        failures.append("reported missing but there: %r" % broken)
    elif broken["reason"] == "anchor-missing":
        name = re.escape(written.split("#", 1)[1])
        with open(target, encoding="utf-8", errors="replace") as page:
            if re.search(r'(?i:<a\s[^>]*name|\sid)\s*=\s*["\']?' + name + r'["\'\s>]', page.read()):
                failures.append("fragment reported missing but defined: %r" % broken)
print("\n".join("FAIL: " + f for f in failures[:20]) or "PASS: %d pages, %d broken" % (len(report["pages"]), len(report["broken"])))
sys.exit(1 if failures else 0)
