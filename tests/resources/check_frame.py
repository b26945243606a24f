"""The frame of the Python checks: every finding is collected, so that one run
shows them all, then printed with a summary line; the exit code says whether
there was any."""
failures = []


def fail(what):
    failures.append(what)


def expect(what, got, wanted):
    if got != wanted:
        fail(f"{what}: got {got!r}, wanted {wanted!r}")


def report(summary):
    """Prints the failures and "<summary>: ..."; returns the exit code."""
    for line in failures:
        print("FAIL", line)
    print(f"{summary}: {f'{len(failures)} differences' if failures else 'all as expected'}")
    return 1 if failures else 0
