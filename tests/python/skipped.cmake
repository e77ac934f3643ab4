# The stand-in for the Python tests when they cannot run: the reason on the
# line after "Skipped", where ./dev test looks for it.
message("tarvex-python: Skipped\n${REASON}")
