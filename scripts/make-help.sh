#!/usr/bin/env bash
# Makes the link-table window's help documents delivered in install/ (TamzoGOTabEng.pdf and
# TamzoGOTabIta.pdf) from their HTML sources in docs/help/, with LibreOffice.
# Run by hand when a source changes; the build uses the committed files.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
command -v soffice >/dev/null || apt-get install -y libreoffice-writer-nogui
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for source in "$here"/docs/help/TamzoGOTab*.html; do
  soffice --headless "-env:UserInstallation=file://$work/profile" --infilter='HTML (StarWriter)' \
    --convert-to 'pdf:writer_pdf_Export' --outdir "$work" "$source" >/dev/null
  name=$(basename "$source" .html)
  cp "$work/$name.pdf" "$here/install/$name.pdf"
  echo "Wrote install/$name.pdf"
done
