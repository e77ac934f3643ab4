"""Reference values of a cubic spline with prescribed end slopes.

Reads a text file of lines
    slopes <first> <last>
    knot <s> <v>        (one per knot, s increasing)
    sample <s>          (one per wanted value)
and prints one value per sample line, in order, with full precision.
Used by the engine tests to check the tension spline in its cubic limit.
"""

import sys

from scipy.interpolate import CubicSpline


def main(path):
    slopes = None
    knots_s, knots_v, samples = [], [], []
    with open(path, encoding="ascii") as stream:
        for line in stream:
            fields = line.split()
            if not fields:
                continue
            if fields[0] == "slopes":
                slopes = (float(fields[1]), float(fields[2]))
            elif fields[0] == "knot":
                knots_s.append(float(fields[1]))
                knots_v.append(float(fields[2]))
            elif fields[0] == "sample":
                samples.append(float(fields[1]))
    spline = CubicSpline(knots_s, knots_v, bc_type=((1, slopes[0]), (1, slopes[1])))
    for value in spline(samples):
        print(repr(float(value)))


if __name__ == "__main__":
    main(sys.argv[1])
