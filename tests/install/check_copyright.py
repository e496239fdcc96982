# SPDX-License-Identifier: MIT
"""Checks the package's copyright file: machine-readable (DEP-5), a text for every licence it
names, and the same licences as the AppStream metainfo gives for the project and for itself.

Usage: check_copyright.py COPYRIGHT [METAINFO]
"""
import sys
import xml.etree.ElementTree as ET

from debian.copyright import Copyright

METAINFO_SOURCE = "packaging/org.qzdviewer.QzdViewer.metainfo.xml"


def main(copyright_path, metainfo_path=None):
    with open(copyright_path, encoding="utf-8") as f:
        copyright = Copyright(f, strict=True)
    texts = {p.license.synopsis for p in copyright.all_license_paragraphs() if p.license.text}
    for paragraph in copyright.all_files_paragraphs():
        licence = paragraph.license
        if not licence.text and licence.synopsis not in texts:
            return f"{' '.join(paragraph.files)}: no text for the licence {licence.synopsis}"

    def licence_of(path):
        return copyright.find_files_paragraph(path).license.synopsis

    if licence_of("model/any_source.cpp") != "MIT":
        return "the project's own files are not under MIT"
    if metainfo_path:
        root = ET.parse(metainfo_path).getroot()
        for tag, path in (("project_license", "app/any_source.cpp"),
                          ("metadata_license", METAINFO_SOURCE)):
            if root.findtext(tag) != licence_of(path):
                return f"metainfo {tag} is {root.findtext(tag)}, copyright says {licence_of(path)}"
    return None


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
