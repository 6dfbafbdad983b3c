"""A start whose TagMList.lst is missing shows the file-open error with the full path and
ends with status 0 without a palette."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from xsession import XSession, main  # noqa: E402


def test():
    with XSession(with_tag_lists=False) as s:
        expected = "ファイル %s は開けません" % os.path.join(s.program_dir, "TagMList.lst")
        p = s.start_orvanel()
        boxes = s.wait_for(lambda: s.windows_named("^ORVANEL$") or p.poll() is not None, 30,
                           "the message box")
        assert p.poll() is None, "ended without a message, status %r" % p.returncode
        # Its text in the accessibility tree: the program waits in the box.
        texts = s.wait_for(lambda: s.accessible_texts("ORVANEL"), 60, "the box's text")
        boxes = s.windows_named("^ORVANEL$")
        assert len(boxes) == 1, boxes
        assert expected in texts, "message box texts: %r" % texts
        assert not s.windows_named("^Orvanel Ver"), "a palette is shown"
        s.press_return(boxes[0])
        try:
            status = p.wait(15)
        except Exception:
            raise AssertionError("the program did not end after OK")
        assert status == 0, "exit status %r" % status
        assert not os.path.exists(os.path.join(s.program_dir, "Orvanel.ini")), \
            "settings were written without a palette"


if __name__ == "__main__":
    sys.exit(main(test))
