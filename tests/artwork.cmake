# SPDX-License-Identifier: MIT
# The committed artwork (written by tools/artgen) against its file formats and the catalogue.
astrelo_add_test(tst_artwork SOURCES tst_artwork.cpp LIBS astrelo_catalogue)
