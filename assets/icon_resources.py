#!/usr/bin/env python3
"""Splits the program icon into the two resources a program carries: the
icon image (RT_ICON) and the icon group that names it (RT_GROUP_ICON), so the
image gets the fixed number the group refers to.

    icon_resources.py ICON_FILE IMAGE_ID IMAGE_OUT GROUP_OUT
"""
import struct
import sys


def main(icon_path, image_id, image_out, group_out):
    data = open(icon_path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count != 1:
        sys.exit(f"{icon_path}: expected an icon file with exactly one image")
    width, height, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    image = data[offset:offset + size]
    if len(image) != size:
        sys.exit(f"{icon_path}: the image runs past the end of the file")
    open(image_out, "wb").write(image)
    # GRPICONDIR, then one GRPICONDIRENTRY: the file's entry with the offset
    # replaced by the resource number of the image.
    group = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", width, height, colours, 0, planes, bits,
                                                        size, int(image_id))
    open(group_out, "wb").write(group)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
