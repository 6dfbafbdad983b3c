"""Runs the X11 backend's checks under an X session of their own (Xvfb and openbox)."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import Session, binary_dir

with Session() as session:
    r = subprocess.run([os.path.join(binary_dir(), "orvanel_x11_tests")], env=session.env,
                       timeout=300)
sys.exit(r.returncode)
