# The files of install/ delivered with the program: staged beside the built executable with the
# first-run marker, and installed into share/tamzotravel.
set(TAMZO_DELIVERED_PATTERNS Links.* Lang_*.txt template.doc templateh.doc *.pdf *.html)
