#!/bin/sh
# Writes the documents that LibreOffice itself must have written (ruby, notes,
# sheets) from their flat sources. Run from this folder; the outputs are
# committed, so this is only needed to change them. Needs LibreOffice
# (libreoffice-writer-nogui, libreoffice-calc-nogui), which the build does not.
set -e
for format in odt docx; do soffice --headless --convert-to "$format" ruby-and-note.fodt; done
for format in ods xlsx; do soffice --headless --convert-to "$format" sheets.fods; done
