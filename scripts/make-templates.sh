#!/usr/bin/env bash
# Makes the two Word 97 templates delivered in install/ from flat OpenDocument text, with
# LibreOffice: template.doc a landscape A4 page ("SAVE:WORDH"), templateh.doc a portrait one
# ("SAVE:WORDV" and the PDF), both with 2 cm margins and an empty body.
# Run by hand when the templates must change; the build uses the committed files.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
command -v soffice >/dev/null || apt-get install -y libreoffice-writer-nogui
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

page() { # name width height orientation
  cat > "$work/$1.fodt" <<FODT
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
  xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
  xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
  xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
  office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:styles>
  <style:default-style style:family="paragraph">
   <style:text-properties style:font-name="Liberation Sans" fo:font-size="11pt"/>
  </style:default-style>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="pm1">
   <style:page-layout-properties fo:page-width="$2" fo:page-height="$3" style:print-orientation="$4"
     fo:margin-top="2cm" fo:margin-bottom="2cm" fo:margin-left="2cm" fo:margin-right="2cm"/>
  </style:page-layout>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Standard" style:page-layout-name="pm1"/>
 </office:master-styles>
 <office:body><office:text><text:p/></office:text></office:body>
</office:document>
FODT
  soffice --headless "-env:UserInstallation=file://$work/profile" \
    --convert-to 'doc:MS Word 97' --outdir "$work" "$work/$1.fodt" >/dev/null
  cp "$work/$1.doc" "$here/install/$1.doc"
}
page template 29.7cm 21cm landscape
page templateh 21cm 29.7cm portrait
echo "Wrote install/template.doc and install/templateh.doc"
