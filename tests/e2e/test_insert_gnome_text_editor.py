"""Insertion into gnome-text-editor (GTK 4), which takes key emulation only."""
import sys, os
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from editor_cases import run

run("gnome-text-editor", methods=(1,))
