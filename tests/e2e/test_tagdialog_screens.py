#!/usr/bin/python3
"""Pictures of the 24 attribute panels under Xvfb and openbox: each dialog picture has the
size the layout rule gives (panel + 25 wide, + 80 high), shows more than a blank face, and the
widget checks that ran beside it (captions fit, nothing outside its parent) passed.

ORVANEL_SCREENSHOT_KEEP=<folder> keeps the pictures there."""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402

PANELS = {
    "PanelDOC_KIHON": (360, 380), "PanelDOC_BODY_BODY": (360, 270), "PanelLAYOUT_HR_HR": (240, 160),
    "PanelMOJI_FONT_FONT": (275, 250), "PanelTAB_TABLE_TABLE": (470, 370), "PanelTAB_TR_TR": (250, 225),
    "PanelTAB_TD_TD": (450, 225), "PanelTAB_TH_TH": (450, 225), "PanelLINK_HREF": (300, 95),
    "PanelLINK_NAME": (230, 65), "PanelLINK_MAIL": (230, 65), "PanelLINK_IMG": (300, 245),
    "PanelLIST_UL": (190, 75), "PanelLIST_OL": (280, 75), "PanelFRAME_FRAMESET": (490, 385),
    "PanelFORM_FORM": (250, 75), "PanelFORM_TEXTAREA": (275, 140), "PanelFORM_INPUT": (290, 155),
    "PanelFORM_BUTTON": (270, 105), "PanelFORM_RADIOBUTTON": (270, 105), "PanelFORM_CHECKBOX": (270, 105),
    "PanelFORM_COMBOBOX": (445, 245), "PanelFORM_LISTBOX": (445, 280), "PanelFORM_HIDDEN": (270, 75),
}


def identify(path):
    out = subprocess.run(["identify", "-format", "%w %h %k", path], capture_output=True, text=True,
                         check=True).stdout.split()
    return int(out[0]), int(out[1]), int(out[2])


def main():
    tests = os.path.join(e2e_support.binary_dir(), "tests", "orvanel_widget_tests")
    shots = tempfile.mkdtemp(prefix="orvanel-panels-")
    failures = []
    try:
        with e2e_support.Session() as session:
            env = dict(session.env, QT_QPA_PLATFORM="xcb", ORVANEL_SCREENSHOT_DIR=shots)
            run = subprocess.run([tests, "--gtest_filter=TagDialogScreens.*:TagDialog.CaptionsFit*"],
                                 env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                 timeout=300)
            sys.stdout.write(run.stdout[-4000:])
            if run.returncode != 0 or "SKIPPED" in run.stdout:
                failures.append("widget run failed or was skipped (status %d)" % run.returncode)
        for name, (w, h) in PANELS.items():
            path = os.path.join(shots, name + ".png")
            if not os.path.exists(path):
                failures.append(name + ": no picture")
                continue
            pw, ph, colours = identify(path)
            print("%-24s %4d x %-4d %5d colours" % (name, pw, ph, colours))
            if (pw, ph) != (w + 25, h + 80):
                failures.append("%s: %dx%d instead of %dx%d" % (name, pw, ph, w + 25, h + 80))
            if colours < 8:
                failures.append(name + ": looks blank")
        keep = os.environ.get("ORVANEL_SCREENSHOT_KEEP")
        if keep:
            os.makedirs(keep, exist_ok=True)
            for f in os.listdir(shots):
                shutil.copy(os.path.join(shots, f), keep)
    finally:
        shutil.rmtree(shots, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
