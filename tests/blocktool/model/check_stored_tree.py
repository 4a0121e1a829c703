"""Checks a saved page's block tree from outside the product.

Usage: check_stored_tree.py FILE BLOCK-NAME

The first page must hold: PieceInfo (direct dictionary) -> Korvid (indirect
dictionary: LastModified "D:YYYYMMDDHHMMSS", Private) -> Private (direct:
Version the real 7.0, PluginVersion "3.4", Blocks) -> Blocks (direct) ->
the block (indirect dictionary) with its properties in their stored types,
custom properties under a direct Custom dictionary and no Internal entry.
Exits 0 when all holds, else 1 with the first difference on stderr.
"""
import decimal
import re
import sys

import pikepdf


def require(condition, what):
    if not condition:
        sys.stderr.write("stored tree: " + what + "\n")
        sys.exit(1)


def main(path, block_name):
    with pikepdf.open(path) as pdf:
        page = pdf.pages[0].obj
        require(isinstance(page.get("/LastModified"), pikepdf.String), "page LastModified is a string")
        piece_info = page.get("/PieceInfo")
        require(isinstance(piece_info, pikepdf.Dictionary), "PieceInfo is a dictionary")
        require(not piece_info.is_indirect, "PieceInfo is direct")
        korvid = piece_info.get("/Korvid")
        require(isinstance(korvid, pikepdf.Dictionary) and korvid.is_indirect, "Korvid is an indirect dictionary")
        last_modified = korvid.get("/LastModified")
        require(isinstance(last_modified, pikepdf.String), "Korvid LastModified is a string")
        require(re.fullmatch(r"D:\d{14}", str(last_modified)) is not None, "LastModified reads D:YYYYMMDDHHMMSS")
        private = korvid.get("/Private")
        require(isinstance(private, pikepdf.Dictionary) and not private.is_indirect, "Private is a direct dictionary")
        version = private.get("/Version")
        require(isinstance(version, decimal.Decimal) and version == 7, "Version is the real 7.0")
        require(str(private.get("/PluginVersion")) == "3.4", "PluginVersion is the string 3.4")
        blocks = private.get("/Blocks")
        require(isinstance(blocks, pikepdf.Dictionary) and not blocks.is_indirect, "Blocks is a direct dictionary")
        block = blocks.get("/" + block_name)
        require(isinstance(block, pikepdf.Dictionary) and block.is_indirect, "the block is an indirect dictionary")
        require(isinstance(block.get("/Name"), pikepdf.Name) and str(block.Name) == "/" + block_name,
                "Name is the name of the key")
        require(isinstance(block.get("/ID"), int), "ID is an integer")
        require(isinstance(block.get("/Type"), pikepdf.Name), "Type is a name")
        require(isinstance(block.get("/Subtype"), pikepdf.Name), "Subtype is a name")
        require(isinstance(block.get("/fontname"), pikepdf.String), "fontname is a string")
        rect = block.get("/Rect")
        require(isinstance(rect, pikepdf.Array) and len(rect) == 4, "Rect is an array of four")
        require(all(isinstance(v, (int, decimal.Decimal)) for v in rect), "Rect holds numbers")
        require(block.get("/Locked") is True, "Locked is the boolean true")
        color = block.get("/strokecolor")
        require(isinstance(color, pikepdf.Array) and isinstance(color[0], pikepdf.Name)
                and isinstance(color[1], pikepdf.Array) and len(color[1]) == 4, "a CMYK colour is [/DeviceCMYK [c m y k]]")
        custom = block.get("/Custom")
        require(isinstance(custom, pikepdf.Dictionary) and not custom.is_indirect, "Custom is a direct dictionary")
        require(isinstance(custom.get("/Note"), pikepdf.String), "a custom text is a string in Custom")
        require("/Internal" not in block, "Internal is never written")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
