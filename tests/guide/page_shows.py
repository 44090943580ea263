"""Checks one page of the guide: its links lead to pages that exist, and its screenshot, taken by
a browser, shows each of its pictures whole and unscaled. Usage: page_shows.py PAGE.html SHOT.png"""
import os
import re
import subprocess
import sys


def pixels(png):
    """Width, height and RGB rows of a PNG, read through ImageMagick."""
    ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    width, height = int(fields.group(1)), int(fields.group(2))
    data = ppm[fields.end():]
    return width, height, [data[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def shows(shot, picture):
    """Whether the picture stands somewhere in the shot, every pixel as it is."""
    _, shot_height, shot_rows = shot
    width, height, rows = picture
    for top in range(shot_height - height + 1):
        start = shot_rows[top].find(rows[0])
        while start >= 0:
            if start % 3 == 0 and all(
                    shot_rows[top + y][start:start + width * 3] == rows[y] for y in range(height)):
                return True
            start = shot_rows[top].find(rows[0], start + 1)
    return False


def main(page, shot_png):
    folder = os.path.dirname(page)
    text = open(page, encoding="utf-8").read()
    failures = []
    for link in re.findall(r'href="([^"#:]+)"', text):
        if not os.path.isfile(os.path.join(folder, link)):
            failures.append(f"a link to {link}, which is not there")
    shot = pixels(shot_png)
    for source in re.findall(r'<img src="([^"]+)"', text):
        path = os.path.join(folder, source)
        if not os.path.isfile(path):
            failures.append(f"a picture {source}, which is not there")
        elif not shows(shot, pixels(path)):
            failures.append(f"{source} not shown whole in the browser")
    if 'lang="ca"' not in text or '<meta charset="utf-8">' not in text:
        failures.append("not marked as Catalan in UTF-8")
    for failure in failures:
        print(f"{os.path.basename(page)}: {failure}")
    print(f"{os.path.basename(page)}: {'FAILED' if failures else 'ok'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
