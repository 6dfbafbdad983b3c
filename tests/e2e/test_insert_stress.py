"""The stress faults of bench/stress_cases.py, a few repetitions each (bench/stress_insert runs
twenty): no text of the user lost or typed into another window, and the palette still closes
after editors were killed under it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import stress_cases  # noqa: E402

print(stress_cases.HEADER, flush=True)
rows = stress_cases.run(2, kills=3, report=lambda line: print(line, flush=True))
failures = ["%s, %s, method %d: %s" % (r.case.strip(), r.editor, r.method, n) for r in rows for n in r.notes]
failures += ["%s, %s, method %d: no run" % (r.case.strip(), r.editor, r.method) for r in rows if r.runs == 0]
for f in failures:
    print("FAILED:", f)
sys.exit(1 if failures else 0)
