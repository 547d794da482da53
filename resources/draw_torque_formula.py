# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the torque formula "τ = m × B" into resources/torque.jpg; run: python3 resources/draw_torque_formula.py

Needs ImageMagick's convert and the Liberation Serif fonts (Debian: imagemagick, fonts-liberation2).
"""
import os
import subprocess

W, H = 108, 23
POINTS = 21  # the capital B is 14 px tall, leaving a calm margin above and below
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "torque.jpg")


def font(style):
    # Ask fontconfig rather than hard-coding a path that differs between distributions.
    return subprocess.run(["fc-match", "-f", "%{file}", f"Liberation Serif:style={style}"],
                          check=True, capture_output=True, text=True).stdout


def main():
    italic, upright = font("Italic"), font("Regular")
    # Variables are italic and operators upright, as in typeset maths; the gaps are
    # the usual thick space around "=" and medium space around "×".
    pieces = [(italic, "τ"), 6, (upright, "="), 6, (italic, "m"), 4, (upright, "×"), 4, (italic, "B")]
    cmd = ["convert", "-background", "white", "-fill", "black", "-pointsize", str(POINTS)]
    for p in pieces:
        if isinstance(p, int):
            # Every label shares one line height, so plain spacers keep the baselines aligned.
            cmd += ["-size", f"{p}x1", "xc:white", "+size"]
        else:
            cmd += ["-font", p[0], f"label:{p[1]}"]
    cmd += ["-gravity", "center", "+append", "-extent", f"{W}x{H}",
            "-colorspace", "Gray", "-strip", "-quality", "92", OUT]  # -strip drops dates, so reruns match
    subprocess.run(cmd, check=True)


if __name__ == "__main__":
    main()
