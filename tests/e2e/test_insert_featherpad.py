"""Insertion into featherpad (Qt 5), by window messages and by key emulation."""
import sys, os
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from editor_cases import run

run("featherpad", methods=(0, 1))
