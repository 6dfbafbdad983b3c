"""A second start shows exactly one message box and exits with 255 once it is closed; the
first instance keeps running; a start after the first has ended succeeds."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from xsession import XSession, main  # noqa: E402

PALETTE = "^Orvanel Ver"
BOX = "^ORVANEL$"
MESSAGE = "Orvanel は複数起動できません。"


def test():
    with XSession() as s:
        first = s.start_orvanel()
        s.wait_for(lambda: s.windows_named(PALETTE) or first.poll() is not None, 30, "the palette")
        assert first.poll() is None, "the first instance ended: %s" % first.stderr.read()
        palette = s.windows_named(PALETTE)
        assert len(palette) == 1, palette
        assert not s.windows_named(BOX), "the first start showed a message"

        second = s.start_orvanel()
        s.wait_for(lambda: s.windows_named(BOX), 30, "the message box")
        # Its text in the accessibility tree: the second instance waits in the box.
        texts = s.wait_for(lambda: s.accessible_texts("ORVANEL"), 60, "the box's text")
        boxes = s.windows_named(BOX)
        assert len(boxes) == 1, "message boxes: %r" % boxes
        assert s.window_title(boxes[0]) == "ORVANEL"
        assert MESSAGE in texts, "message box texts: %r" % texts
        assert second.poll() is None, "the second instance did not wait for the box"

        s.press_return(boxes[0])
        try:
            status = second.wait(15)
        except Exception:
            raise AssertionError("the second instance did not end after OK")
        assert status == 255, "second instance exit status %r" % status
        assert not s.windows_named(BOX), "the box stayed"
        assert first.poll() is None, "the first instance ended"
        assert s.windows_named(PALETTE) == palette, "the first palette changed"

        # The first instance ends (however it ends, the kernel drops its lock): a new start
        # is admitted.
        s.stop(first)
        third = s.start_orvanel()
        s.wait_for(lambda: s.windows_named(PALETTE) or third.poll() is not None, 30,
                   "the palette of the third start")
        assert third.poll() is None, "the third start ended with %r" % third.returncode
        assert not s.windows_named(BOX), "the third start was refused"
        s.stop(third)


if __name__ == "__main__":
    sys.exit(main(test))
