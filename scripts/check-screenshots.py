"""Fails unless each screenshot shows more than one colour over most of it
(a view that failed to draw is the page's background, with at most a line
of text over it) and the two differ."""
import sys

from PIL import Image, ImageChops, ImageStat

BLANK_SHARE = 0.95  # one colour over this share of the pixels is a blank view
SAME_MEAN = 2.0     # a mean difference below this (0 to 255) is the same view


def main(paths):
    images = [Image.open(path).convert("RGB") for path in paths]
    for path, image in zip(paths, images):
        pixels = image.width * image.height
        top = max(count for count, _ in image.getcolors(pixels))
        print("%s: %dx%d, the commonest colour covers %.1f%%" % (path, image.width, image.height,
                                                                100.0 * top / pixels))
        if top > BLANK_SHARE * pixels:
            print("FAIL %s is blank" % path)
            return 1
    if images[0].size != images[1].size:
        return 0
    difference = sum(ImageStat.Stat(ImageChops.difference(*images)).mean) / 3
    print("mean difference between the two: %.1f" % difference)
    if difference < SAME_MEAN:
        print("FAIL the two views are the same")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:3]))
